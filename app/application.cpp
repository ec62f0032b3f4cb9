#include "app/application.h"

#include "app/activationhandback.h"
#include "app/errorbox.h"
#include "app/screenscaling.h"
#include "common/failure.h"
#include "common/fonts.h"
#include "common/qttranslation.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The form and its boxes are laid out in fixed pixels for compact controls. A desktop's own widget
    // style may have roomier frames and buttons (GNOME's Adwaita cuts the dates off), so the program
    // keeps Qt's compact style everywhere; the colours still follow the desktop.
    setStyle(QStringLiteral("Fusion"));
    fonts::install();
    followScreenScaling(this);
    qttranslation::installHungarian();
    failure::setReporter(showDefaultErrorBox);
    installEventFilter(new ActivationHandBack(this));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        failure::report(error);
        return true;
    }
}
