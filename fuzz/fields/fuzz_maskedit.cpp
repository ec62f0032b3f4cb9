#include "form/catalogue.h"
#include "form/maskedit/editmode.h"
#include "form/maskedit/maskeditmodel.h"

#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>

// The masked fields' editing rules under any sequence of edits, on the masks of the window's fields:
// typing, deleting, moving and selecting, words, cut, paste, undo, the Insert key and texts set from
// outside. The text keeps the shape of the blank template, and the caret and selection stay within it.
//
// The first byte chooses the field; then each byte is one operation (its low 4 bits) with an operand
// (its high 4 bits, and the next bytes where one is needed).

namespace {

struct MaskedField
{
    QString mask;
    QChar blank;
    int maxLength;
    QString text;
};

const QList<MaskedField> &maskedFields()
{
    static const QList<MaskedField> fields = [] {
        QList<MaskedField> found;
        for (const CatalogueRow &row : catalogue()) {
            if (row.kind == ComponentKind::TLMDMaskEdit)
                found.append({QString::fromUtf8(row.mask), QChar::fromLatin1(row.blankChar), row.maxLength,
                              QString::fromUtf8(row.text)});
        }
        return found;
    }();
    return fields;
}

// A character the user might type or paste: digits, the literals and blanks of the masks, and a few
// that no mask takes.
QChar typed(uint8_t code)
{
    static const char16_t characters[] = u"0123456789-_* ./a\u0151";
    return QChar(characters[code % (std::size(characters) - 1)]);
}

QString typedText(const uint8_t *data, size_t &at, size_t size, int length)
{
    QString text;
    for (int index = 0; index < length && at + 1 < size; ++index)
        text += typed(data[++at]);
    return text;
}

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const MaskedField &field = maskedFields().at(data[0] % maskedFields().size());
    SharedEditMode editMode;
    MaskEditModel model(editMode);
    model.setMaxLength(field.maxLength);
    model.setBlankChar(field.blank);
    model.setMask(field.mask);
    model.setText(field.text);
    const bool shaped = model.fits(model.text());
    for (size_t at = 1; at < size; ++at) {
        const uint8_t operand = data[at] >> 4;
        const bool extend = operand & 1;
        switch (data[at] & 0x0f) {
        case 0: case 1: case 2:
            model.typeCharacter(typed(data[at] >> 2));
            break;
        case 3:
            model.backspace();
            break;
        case 4:
            model.deleteForward();
            break;
        case 5:
            model.moveCursor(qsizetype(operand) * 2 - 4, extend);
            break;
        case 6:
            model.setSelection(qsizetype(operand) * 2 - 2, at + 1 < size ? qsizetype(data[++at] % 32) - 4 : 0);
            break;
        case 7:
            switch (operand % 6) {
            case 0: model.selectAll(); break;
            case 1: model.home(extend); break;
            case 2: model.end(extend); break;
            case 3: model.cursorBackward(extend); break;
            case 4: model.cursorForward(extend); break;
            case 5: model.moveCursorBeyondText(); break;
            }
            break;
        case 8:
            model.wordBackward(extend);
            break;
        case 9:
            model.wordForward(extend);
            break;
        case 10:
            model.selectWordAt(qsizetype(operand) * 2 - 2);
            break;
        case 11:
            (void)model.cut();
            break;
        case 12:
            model.paste(typedText(data, at, size, operand));
            break;
        case 13:
            model.undo();
            break;
        case 14:
            editMode.toggle();
            break;
        case 15:
            model.setText(typedText(data, at, size, operand * 2));
            break;
        }
        const qsizetype length = model.text().size();
        check(!shaped || model.fits(model.text()));
        check(field.maxLength == 0 || length <= field.maxLength);
        check(model.cursorPosition() >= 0 && model.cursorPosition() <= length);
        check(model.selectionStart() >= 0 && model.selectionStart() + model.selectionLength() <= length);
    }
    return 0;
}
