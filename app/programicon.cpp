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

// Sets the icon once, after the window's first paint has been flushed to the screen. A window that
// starts minimized paints only when restored, while its task bar button wants the icon at once: a
// timer sets it then.
class IconAfterFirstPaint : public QObject
{
public:
    explicit IconAfterFirstPaint(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
        constexpr int latestMs = 1000;
        QTimer::singleShot(latestMs, this, &IconAfterFirstPaint::setIcon);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, &IconAfterFirstPaint::setIcon);
        }
        return false;
    }

private:
    void setIcon()
    {
        if (m_set)
            return;
        m_set = true;
        parent()->removeEventFilter(this);
        setProgramIcon();
        deleteLater();
    }

    bool m_set = false;
};

} // namespace

void setProgramIconAfterFirstPaint(QWidget *window)
{
    new IconAfterFirstPaint(window);
}
