#pragma once

#include <QRect>

// The one-pixel lines along a rectangle's edges, as rectangles to fill. A stroked one-pixel line is
// centred on the edge between two pixels once the screen is scaled: half of it falls outside the
// rectangle, and the lines along the far edges stop a device pixel short of them. A filled rectangle
// covers its own pixels at any scale, and fills faster than a line is stroked.
namespace edgelines {

inline QRect top(const QRect &rect)
{
    return QRect(rect.left(), rect.top(), rect.width(), 1);
}

inline QRect bottom(const QRect &rect)
{
    return QRect(rect.left(), rect.bottom(), rect.width(), 1);
}

inline QRect left(const QRect &rect)
{
    return QRect(rect.left(), rect.top(), 1, rect.height());
}

inline QRect right(const QRect &rect)
{
    return QRect(rect.right(), rect.top(), 1, rect.height());
}

} // namespace edgelines
