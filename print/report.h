#pragma once

#include "print/pagedrawer.h"
#include "print/pagetemplate.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

// Asks the owner for the value of a bracketed name. Value arrives unassigned (invalid); leaving it so
// means "not mine".
using TfrxGetValueEvent = std::function<void(const QString &VarName, QVariant &Value)>;

// The report component: holds the page template, prepares the page by expanding its bracketed names,
// and hands the prepared pages to the preview and the printer through PageDrawer.
class TfrxReport : public PageDrawer
{
public:
    // Opens the preview of the prepared pages; replaceable so tests need no window. An empty function
    // restores the real preview window.
    using PreviewWindow = std::function<void(const PageDrawer &pages, QWidget *parent)>;

    TfrxReport();

    TfrxGetValueEvent OnGetValue;

    // The template object of that name, or null. Setting its text (BarCode1's) lasts until set again.
    TfrxView *FindObject(const QString &objectName);

    // Expands the template into a prepared page. On failure shows the sorted error lines in the error
    // box ("Hiba", through ShowMessageBox) and returns false; the template itself is never changed.
    bool PreparePages(bool ClearPrevious);

    // Shows the prepared pages in the modal preview window; returns when it has been closed.
    void ShowPreview(QWidget *parent = nullptr);

    const std::vector<TfrxReportPage> &PreparedPages() const { return m_preparedPages; }
    // The distinct error texts of the last preparation, sorted.
    const QStringList &Errors() const { return m_errors; }

    void setPreviewWindow(PreviewWindow previewWindow);

    int pageCount() const override;
    QSizeF sheetSizeMm(int pageIndex) const override;
    void drawPage(int pageIndex, QPainter &painter, double dotsPerInchX, double dotsPerInchY,
                  QPointF sheetTopLeft) const override;

    // What the engine's own names answer during one preparation.
    struct Preparation
    {
        QDateTime started;
        int pageNumber = 1;
    };

private:
    QString resolve(const TfrxView &view, const QString &expression, const Preparation &preparation) const;
    TfrxReportPage preparePage(const Preparation &preparation) const;
    void addError(const QString &message);
    const TfrxReportPage *preparedPage(int pageIndex) const;
    TfrxReportPage &templatePage() const;

    mutable std::optional<TfrxReportPage> m_template;
    std::vector<TfrxReportPage> m_preparedPages;
    QStringList m_errors;
    PreviewWindow m_previewWindow;
};
