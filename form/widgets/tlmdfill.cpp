#include "form/widgets/tlmdfill.h"

#include "form/widgets/headergradient.h"
#include "form/widgets/sectionaccessible.h"

#include <QAccessible>
#include <QPainter>

TLMDFill::TLMDFill(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    installSectionAccessibility();
}

void TLMDFill::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    // Asked only while a screen reader listens: the event would make the header's accessible
    // interface at every start.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void TLMDFill::setGradientStartColor(QColor color)
{
    setColor(m_startColor, color);
}

void TLMDFill::setGradientEndColor(QColor color)
{
    setColor(m_endColor, color);
}

void TLMDFill::setCaptionColor(QColor color)
{
    setColor(m_captionColor, color);
}

void TLMDFill::setColor(QColor &property, QColor value)
{
    if (property == value)
        return;
    property = value;
    update();
}

void TLMDFill::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const GradientBand &band : headerGradient(m_startColor, m_endColor, height()))
        painter.fillRect(0, band.top, width(), band.bottom - band.top, band.color);
    painter.setPen(m_captionColor);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_caption);
}
