#include "app/programicon.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <QWidget>

namespace {

void setProgramIcon()
{
    QIcon icon;
    for (const char *image : {"16-256", "32-256", "16", "32", "48", "128"})
        icon.addFile(QStringLiteral(":/icons/krv11007-%1.png").arg(QLatin1String(image)));
    QApplication::setWindowIcon(icon);
}

// Watches the window until its first paint event, then sets the icon after that paint has been
// flushed to the screen.
class FirstPaintWatcher : public QObject
{
public:
    explicit FirstPaintWatcher(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, setProgramIcon);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void setProgramIconAfterFirstPaint(QWidget *window)
{
    new FirstPaintWatcher(window);
}
