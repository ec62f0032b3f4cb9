#pragma once

#include "print/preview/previewlayout.h"
#include "print/preview/previewprinter.h"

#include <QDialog>

class PageDrawer;
class PreviewPages;
class QComboBox;
class QLabel;
class QScrollArea;
class QToolBar;

// The preview window: the prepared pages at a chosen zoom, a toolbar for printing and zooming, and the
// page status. While a print runs, Escape, "Bezár" and the close box cancel the print instead of
// closing the window. Everything works from the keyboard: Ctrl+P prints, Tab reaches every toolbar
// button, and Enter or Space presses the focused one.
class TfrxPreviewForm : public QDialog
{
    Q_OBJECT

public:
    TfrxPreviewForm(const PageDrawer &pages, PrinterList &printers, PrintServices services,
                    QWidget *parent = nullptr);

    void reject() override;

    // Zoom box items after the percentages.
    static constexpr QStringView pageWidthItem = u"Oldal széles";
    static constexpr QStringView wholePageItem = u"Teljes oldal";

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolBar *createToolBar();
    void setZoom(double zoom);
    void setZoomMode(TfrxZoomMode mode);
    void applyZoomText(const QString &text);
    void relayout();
    void showCurrentPage();
    int currentPageNumber() const;

    const PageDrawer &m_pages;
    PreviewLayout m_layout;
    PreviewPrinter m_printer;
    PreviewPages *m_pagesView = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QLabel *m_status = nullptr;
};
