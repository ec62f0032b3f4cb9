#pragma once

#include "print/preview/previewlayout.h"

#include <QWidget>

class PageDrawer;

// The pages as the preview shows them: each sheet on a grey background, drawn by the page's own drawing
// rules at the screen's resolution times the zoom. It paints what the layout holds; the preview window
// changes the layout.
class PreviewPages : public QWidget
{
    Q_OBJECT

public:
    PreviewPages(const PageDrawer &pages, PreviewLayout &layout, QWidget *parent = nullptr);

    // Resizes the widget to the layout's content after the layout changed.
    void layoutChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const PageDrawer &m_pages;
    PreviewLayout &m_layout;
};

// The page sizes at 100 % on a screen of the given resolution.
QList<QSizeF> pageSizesAt100(const PageDrawer &pages, double dotsPerInchX, double dotsPerInchY);
