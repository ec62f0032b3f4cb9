#include "app/formscrollarea.h"

#include <QScrollBar>

FormScrollArea::FormScrollArea(QWidget *parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(false);
    verticalScrollBar()->setSingleStep(arrowStep);
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, &FormScrollArea::keepHorizontalAtZero);
}

// The base class resets the page step to the visible height whenever it lays itself out.
bool FormScrollArea::event(QEvent *event)
{
    const bool handled = QScrollArea::event(event);
    applyPageStep();
    return handled;
}

bool FormScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    const bool filtered = QScrollArea::eventFilter(watched, event);
    applyPageStep();
    return filtered;
}

void FormScrollArea::applyPageStep()
{
    verticalScrollBar()->setPageStep(viewport()->height() * 9 / 10);
}

void FormScrollArea::keepHorizontalAtZero()
{
    // The content never scrolls sideways: on a narrow window its right part stays cut off.
    if (horizontalScrollBar()->maximum() != 0)
        horizontalScrollBar()->setRange(0, 0);
}

void FormScrollArea::showWidget(QWidget *widget)
{
    if (!widget || !this->widget() || !this->widget()->isAncestorOf(widget))
        return;
    const int top = widget->mapTo(this->widget(), QPoint(0, 0)).y();
    const int bottom = top + widget->height();
    const int viewTop = verticalScrollBar()->value();
    const int viewBottom = viewTop + viewport()->height();
    if (top < viewTop)
        verticalScrollBar()->setValue(top);
    else if (bottom > viewBottom)
        verticalScrollBar()->setValue(qMin(top, bottom - viewport()->height()));
}
