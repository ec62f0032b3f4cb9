#include "app/printedtexts.h"

#include "common/exception.h"
#include "print/pagepainter.h"
#include "print/report.h"
#include "print/reportvariables.h"

#include <QDate>

#include <optional>

namespace {

// The page's boxes that hold what the user typed freely, with the field to fix and the caption the box
// goes by on the page. The other boxes hold numbers, dates and identifiers of a fixed length.
struct PrintedText
{
    const char *object;
    const char *variable;
    const char *field;
    const char *caption; // UTF-8
};

const PrintedText printedTexts[] = {
    {"Memo22", "m1", "Edit9", "A bevallás benyújtásának oka"},
    {"Memo30", "m11", "Edit2", "Adóalany neve (cégneve)"},
    {"Memo40", "m12", "Edit3", "Születési helye"},
    {"Memo48", "m14", "Edit7", "Anyja neve"},
    {"Memo95", "m19", "Edit75", "Székhelye, lakóhelye"},
    {"Memo101", "m20", "Edit83", "Levelezési címe"},
    {"Memo61", "m21", "Edit91", "Telefonszáma"},
    {"Memo71", "m22", "Edit92", "E-mail címe"},
};

std::optional<QString> printedValue(const PrintedText &text, const DeclarationSource &declaration)
{
    try {
        return reportVariable(QString::fromLatin1(text.variable), declaration, QString(), QDate::currentDate());
    } catch (const Exception &) {
        return std::nullopt;
    }
}

} // namespace

QList<Problem> textsCutOffOnThePage(const DeclarationSource &declaration, TfrxReport &report)
{
    QList<Problem> problems;
    for (const PrintedText &text : printedTexts) {
        const TfrxView *box = report.FindObject(QString::fromLatin1(text.object));
        const std::optional<QString> value = printedValue(text, declaration);
        if (!box || !value)
            continue;
        TfrxView printed = *box;
        printed.text = *value;
        if (printsWhole(printed))
            continue;
        const QString line = QString::fromUtf8(text.caption) + QStringLiteral(": nem fér el a nyomtatványon, a vége lemarad.");
        problems.append({QString::fromLatin1(text.field), line});
    }
    return problems;
}
