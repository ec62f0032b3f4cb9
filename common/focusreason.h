#pragma once

#include <Qt>

// Focus that goes to another window, a popup or the menu bar and comes back neither leaves nor enters
// the field that had it.
inline bool focusStaysInField(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
        || reason == Qt::MenuBarFocusReason;
}
