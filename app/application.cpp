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
