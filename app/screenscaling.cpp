#include "app/screenscaling.h"

#include "common/fonts.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace {

void renewFontsOf(const QString &family)
{
    const QString drawn = fonts::drawnFamily(family);
    for (QWidget *widget : QApplication::allWidgets()) {
        // A widget without a font of its own follows the widget it inherits its font from.
        if (!widget->testAttribute(Qt::WA_SetFont) || widget->font().family() != family)
            continue;
        QFont font = widget->font();
        font.setFamily(drawn);
        widget->setFont(font);
    }
}

void fitFontsToScreens()
{
    const QString givenUp = fonts::followScreens();
    if (!givenUp.isEmpty())
        renewFontsOf(givenUp);
}

// A screen's new scale comes with new logical geometry, whether the desktop's font resolution changed
// it (X11) or the window system set it.
void watch(QScreen *screen, QObject *context)
{
    QObject::connect(screen, &QScreen::geometryChanged, context, fitFontsToScreens);
}

} // namespace

void followScreenScaling(QGuiApplication *application)
{
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen, application);
    QObject::connect(application, &QGuiApplication::screenAdded, application, [application](QScreen *screen) {
        watch(screen, application);
        fitFontsToScreens();
    });
}
