#include "print/preview/printoptions.h"

#include "common/exception.h"
#include "common/integertext.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

constexpr int fewestArrowCopies = 1;
constexpr int mostArrowCopies = 100;

std::optional<int> wholeNumber(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

// A number that is only digits, so that "+3" or " 3" inside a page list does not pass as a page.
std::optional<int> pageNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty() || !std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return wholeNumber(trimmed);
}

bool wantedParity(int pageNumber, TfrxPrintPages printPages)
{
    switch (printPages) {
    case ppOdd:
        return pageNumber % 2 == 1;
    case ppEven:
        return pageNumber % 2 == 0;
    case ppAll:
        break;
    }
    return true;
}

} // namespace

PageNumberList::PageNumberList(const QString &text)
{
    const QStringList pieces = text.split(u',', Qt::SkipEmptyParts);
    for (const QString &piece : pieces) {
        const qsizetype dash = piece.indexOf(u'-');
        if (dash < 0) {
            if (const auto page = pageNumber(piece))
                m_ranges.append({*page, *page});
            continue;
        }
        const auto first = pageNumber(QStringView(piece).left(dash));
        const QStringView rest = QStringView(piece).mid(dash + 1);
        // "5-" runs to the last page.
        const auto last = rest.trimmed().isEmpty() ? std::optional<int>(std::numeric_limits<int>::max())
                                                   : pageNumber(rest);
        if (first && last)
            m_ranges.append({std::min(*first, *last), std::max(*first, *last)});
    }
}

bool PageNumberList::contains(int pageNumber) const
{
    return std::any_of(m_ranges.begin(), m_ranges.end(), [pageNumber](const QPair<int, int> &range) {
        return range.first <= pageNumber && pageNumber <= range.second;
    });
}

PrintPlan planPrint(const PrintOptions &options, int pageCount)
{
    const bool everyPage = options.pageNumbers.trimmed().isEmpty();
    const PageNumberList listed(options.pageNumbers);

    PrintPlan plan;
    for (int index = 0; index < pageCount; ++index) {
        const int number = index + 1;
        if ((everyPage || listed.contains(number)) && wantedParity(number, options.printPages))
            plan.pageIndexes.append(index);
    }
    if (options.reverse)
        std::reverse(plan.pageIndexes.begin(), plan.pageIndexes.end());

    const int copies = std::max(options.copies, 1);
    const int uncollatedCopies = options.collate ? 1 : copies;
    plan.passes = options.collate ? copies : 1;
    plan.printerCopies = options.toFile ? 1 : uncollatedCopies;
    plan.pageRepeats = options.toFile ? uncollatedCopies : 1;
    return plan;
}

PrintOptions printOptionsFrom(const PrintDialogChoice &choice, int currentPageNumber)
{
    PrintOptions options;
    options.copies = std::max(parseIntegerText(choice.copiesText), 1);
    // Every copy of a file, and every collated copy, is drawn into the job, which is held in memory until
    // it is sent: a held key or a few zeros too many would fill the memory and end the program, taking
    // the unsaved filling with it.
    if (options.copies > mostCopies)
        throw Exception(QStringLiteral("Egyszerre legfeljebb %1 másolat nyomtatható.").arg(mostCopies));
    options.collate = choice.collate;
    options.printPages = choice.printPages;
    options.reverse = choice.reverse;
    options.toFile = choice.toFile;
    switch (choice.range) {
    case PrintDialogChoice::AllPages:
        break;
    case PrintDialogChoice::CurrentPage:
        options.pageNumbers = QString::number(currentPageNumber);
        break;
    case PrintDialogChoice::ListedPages:
        options.pageNumbers = choice.pageNumbers;
        break;
    }
    return options;
}

int steppedCopies(const QString &text, int steps)
{
    int current = 0;
    try {
        current = parseIntegerText(text);
    } catch (const EConvertError &) {
        // An entry that holds no number is put back to the first valid count.
        return fewestArrowCopies;
    }
    const qint64 stepped = qint64(current) + steps;
    return int(std::clamp<qint64>(stepped, fewestArrowCopies, mostArrowCopies));
}

QString printFileName(const QString &chosenName)
{
    const qsizetype dot = chosenName.lastIndexOf(u'.');
    const qsizetype separator = chosenName.lastIndexOf(u'/');
    const QString base = dot > separator ? chosenName.left(dot) : chosenName;
    return base + QStringLiteral(".prn");
}
