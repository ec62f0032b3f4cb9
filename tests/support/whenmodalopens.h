#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

// Runs the check on the modal window of type W as soon as it is open, polling every 5 ms for at most
// triesLeft polls. A window the check left open (a failed comparison returns early) is closed, so that
// no test hangs or inherits it.
template<typename W>
void whenModalOpens(std::function<void(W *)> check, int triesLeft = 400)
{
    QTimer::singleShot(5, [check, triesLeft] {
        QPointer<W> window = qobject_cast<W *>(QApplication::activeModalWidget());
        if (!window) {
            if (triesLeft > 0)
                whenModalOpens<W>(check, triesLeft - 1);
            return;
        }
        check(window);
        if (window && window->isVisible())
            window->close();
    });
}
