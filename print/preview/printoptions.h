#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Which page numbers print: all of them, or only the odd or only the even ones.
enum TfrxPrintPages { ppAll, ppOdd, ppEven };

// What the user asked to print, taken from the print dialog.
struct PrintOptions
{
    int copies = 1;
    bool collate = true;
    QString pageNumbers; // such as "1,3,5-12"; empty means every page
    TfrxPrintPages printPages = ppAll;
    bool reverse = false;
    bool toFile = false;
};

// The print dialog's answers as the user left them.
struct PrintDialogChoice
{
    enum PageRange { AllPages, CurrentPage, ListedPages };

    PageRange range = AllPages;
    QString pageNumbers;
    QString copiesText = QStringLiteral("1");
    bool collate = true;
    TfrxPrintPages printPages = ppAll;
    bool reverse = false;
    bool toFile = false;
};

// The most copies one print takes, as many as the print system takes by default.
constexpr int mostCopies = 9999;

// Fails with "'%s' is not a valid integer value" on a copies entry that is not a whole number (read
// like every whole number the form reads), and with a message naming mostCopies above that many.
// Copies below 1 count as 1.
PrintOptions printOptionsFrom(const PrintDialogChoice &choice, int currentPageNumber);

// A page list such as "1,3,5-12". Ranges are kept as bounds, so a list like "1-2000000000" costs
// nothing; pieces that are not a number or a range of numbers select no page.
class PageNumberList
{
public:
    explicit PageNumberList(const QString &text);

    bool isEmpty() const { return m_ranges.isEmpty(); }
    bool contains(int pageNumber) const;

private:
    QList<QPair<int, int>> m_ranges;
};

// The pages in the order they go to the printer, and how often.
struct PrintPlan
{
    QList<int> pageIndexes;  // zero-based, in print order, one pass
    int passes = 1;          // how many times the whole selection is sent (collated copies)
    int printerCopies = 1;   // the printer's own copy count for each page (uncollated copies)
    int pageRepeats = 1;     // how many times each page is sent in a row (uncollated copies into a file)

    bool isEmpty() const { return pageIndexes.isEmpty() || passes < 1; }
};

// A file has no copy count of its own, so into a file uncollated copies are written out as pages, each
// page as many times in a row as copies were asked for.
PrintPlan planPrint(const PrintOptions &options, int pageCount);

// The copies entry after pressing its arrows `steps` times: within 1..100, and 1 when the entry holds
// no number.
int steppedCopies(const QString &text, int steps);

// The file a print-to-file job goes to: the chosen name with its extension replaced by ".prn".
QString printFileName(const QString &chosenName);
