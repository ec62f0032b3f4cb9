#pragma once

#include <QCursor>
#include <QGuiApplication>

// The busy cursor over the program's windows while the print system is asked something that can take
// seconds, such as a network printer's first use, which sets up its queue; the windows take no input
// meanwhile (see waitForPrintSystem).
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
