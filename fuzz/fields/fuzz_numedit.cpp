#include "common/exception.h"
#include "common/regionalsettings.h"
#include "form/numedit/numberformat.h"
#include "form/numedit/numeditmodel.h"

#include <QString>
#include <cstddef>
#include <cstdint>

// The numeric field's editing rules under any sequence of edits: typing, deleting, selecting, pasting,
// entering and leaving, with any decimals and number form. The caret and selection stay within the
// text, and a field that was left shows a text that reads back as the number it says and stays as it
// is when left again.
//
// The first byte chooses the separators; then each byte is one operation (its low 4 bits) with an
// operand (its high 4 bits, and the next byte where one is needed).

namespace {

const RegionalSettings separators[] = {
    {u',', u' ', QStringLiteral("yyyy.MM.dd.")},
    {u'.', u',', QStringLiteral("M/d/yy")},
    {u',', u'.', QStringLiteral("dd.MM.yy")},
    {u'.', u'\'', QStringLiteral("dd.MM.yy")},
};

// A character the user might type or paste: the characters of numbers, separators of every setting, and
// a few that no number has.
QChar typed(uint8_t code)
{
    static const char16_t characters[] = u"0123456789-+eE.,' \u00a0a\u0151";
    return QChar(characters[code % (std::size(characters) - 1)]);
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkSelection(const NumEditModel &model)
{
    const int length = int(model.text().size());
    check(model.selectionStart() >= 0 && model.selectionLength() >= 0);
    check(model.selectionStart() + model.selectionLength() <= length);
}

// A left field shows the display form of its number: it reads back, and leaving again keeps it.
void checkDisplayForm(NumEditModel &model)
{
    const QString shown = model.text();
    (void)readNumber(shown, model.regional());
    (void)model.leave();
    check(model.text() == shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const RegionalSettings &regional = separators[data[0] % std::size(separators)];
    NumEditModel model(regional);
    for (size_t at = 1; at < size; ++at) {
        const uint8_t operation = data[at] & 0x0f;
        const uint8_t operand = data[at] >> 4;
        const uint8_t next = at + 1 < size ? data[at + 1] : 0;
        try {
            switch (operation) {
            case 0: case 1: case 2: case 3:
                (void)model.typeCharacter(typed(data[at] >> 2));
                break;
            case 4:
                model.pressBackspace();
                break;
            case 5:
                model.pressDelete();
                break;
            case 6:
                model.setSelection(operand - 2, next % 24 - 4);
                ++at;
                break;
            case 7:
                model.selectAll();
                break;
            case 8: {
                QString clipboard;
                for (int index = 0; index < operand && at + 1 < size; ++index)
                    clipboard += typed(data[++at]);
                (void)model.paste(clipboard);
                break;
            }
            case 9:
                (void)model.cut();
                break;
            case 10:
                model.enter(operand & 1);
                break;
            case 11:
                (void)model.leave();
                checkDisplayForm(model);
                break;
            case 12:
                model.setDecimals(int(operand) - 2);
                break;
            case 13:
                model.setNumberFormat(NumberFormat(operand % 4));
                break;
            case 14:
                model.setText(QString::number(qint64(next) * (operand & 1 ? -1 : 1) << operand));
                ++at;
                break;
            case 15:
                (void)model.value();
                break;
            }
        } catch (const EConvertError &) {
            // A text that is no number, as the field reports it.
        }
        checkSelection(model);
    }
    return 0;
}
