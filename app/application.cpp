#include "app/application.h"

#include "app/errorbox.h"
#include "common/failure.h"
#include "common/fonts.h"
#include "common/qttranslation.h"

#include <QIcon>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    fonts::install();
    qttranslation::installHungarian();
    QIcon icon;
    for (const char *image : {"16-256", "32-256", "16", "32", "48", "128"})
        icon.addFile(QStringLiteral(":/icons/krv11007-%1.png").arg(QLatin1String(image)));
    setWindowIcon(icon);
    failure::setReporter(showDefaultErrorBox);
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
