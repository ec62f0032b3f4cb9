#include "form/widgets/tpanel.h"

#include "form/catalogue.h"
#include "form/widgets/edgelines.h"
#include "form/widgets/readabletext.h"
#include "form/widgets/sectionaccessible.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>

TPanel::TPanel(Bevel bevel, const QColor &color, QWidget *parent)
    : QWidget(parent), m_bevel(bevel), m_color(color)
{
    setAutoFillBackground(true);
    applyColors();
    installSectionAccessibility();
}

// Set explicitly, the two colours pass to the panel's contents and stay when the system's colours
// change; so they are worked out again then. Setting the same palette again changes nothing, which
// ends the round that this palette change starts.
void TPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyColors();
    QWidget::changeEvent(event);
}

void TPanel::applyColors()
{
    const QPalette system = QGuiApplication::palette();
    const QColor background = m_color.isValid() ? m_color : system.color(QPalette::Button);
    QPalette own = palette();
    own.setColor(QPalette::Window, background);
    // Disabled text is meant to recede; only the text a user reads is made to stand out.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor text = system.color(group, QPalette::WindowText);
        own.setColor(group, QPalette::WindowText,
                     group == QPalette::Disabled ? text : readableTextColor(text, {background}));
    }
    setPalette(own);
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
    painter.fillRect(edgelines::top(frame), topLeft);
    painter.fillRect(edgelines::left(frame), topLeft);
    painter.fillRect(edgelines::bottom(frame), bottomRight);
    painter.fillRect(edgelines::right(frame), bottomRight);
}
