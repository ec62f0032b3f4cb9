#include "app/activationhandback.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

bool ActivationHandBack::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Hide) || !watched->isWidgetType())
        return false;
    auto *window = static_cast<QWidget *>(watched);
    if (!window->isWindow() || !window->isModal())
        return false;
    if (type == QEvent::Show) {
        // A box that follows another at once opens before the window has taken the activation back from
        // the first: it covers the window the first one handed the activation to.
        QWidget *active = QApplication::activeWindow();
        m_covered.insert(window, active && active != window && active->isVisible() ? active : m_handedBackTo.data());
        return false;
    }
    const QPointer<QWidget> covered = m_covered.take(window);
    // A box closes by what the user does in it, so the user is in the program. Some platforms have
    // already taken the activation from the box by now, others not yet; another window of the program
    // that took it keeps it.
    const QWidget *active = QApplication::activeWindow();
    if (covered && covered != window && covered->isVisible() && (!active || active == window)) {
        covered->activateWindow();
        m_handedBackTo = covered;
    }
    return false;
}
