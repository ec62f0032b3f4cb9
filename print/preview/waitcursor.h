#pragma once

#include <QCursor>
#include <QGuiApplication>

// The busy cursor over the program's windows while the print system is asked something that can take
// seconds, such as a network printer's first use, which sets up its queue; the windows do not answer
// meanwhile.
class WaitCursor
{
public:
    WaitCursor()
    {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        // Under Wayland the request to change the cursor would wait for the event loop, which does
        // not run until the wait is over.
        QGuiApplication::sync();
    }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
