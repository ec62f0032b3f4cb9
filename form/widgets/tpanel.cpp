#include "form/widgets/tpanel.h"

#include "form/catalogue.h"

#include <QPainter>

TPanel::TPanel(Bevel bevel, QWidget *parent)
    : QWidget(parent), m_bevel(bevel)
{
    setAutoFillBackground(true);
}

void TPanel::paintEvent(QPaintEvent *)
{
    if (m_bevel == Bevel::None)
        return;
    const QColor light = palette().color(QPalette::Light);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor topLeft = m_bevel == Bevel::Raised ? light : shadow;
    const QColor bottomRight = m_bevel == Bevel::Raised ? shadow : light;
    const QRect frame = rect();
    QPainter painter(this);
    painter.setPen(topLeft);
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
}
