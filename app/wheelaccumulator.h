#pragma once

#include <QPoint>
#include <Qt>

// Wheel rotation arrives in units of 120 per notch, sometimes in parts. The accumulator keeps the
// running total and hands out whole notches; what is left waits for the next event.
class WheelAccumulator
{
public:
    static constexpr int notch = 120;

    // The part of an event's rotation that scrolls: the vertical wheel's. A sideways wheel (tilt)
    // scrolls nothing, as there is no horizontal scrolling. Some platforms turn the vertical wheel
    // sideways while a modifier is held, Shift on macOS and Alt on X11; modifiers do not change the
    // scrolling, so a rotation that is only sideways under one of them counts as vertical.
    static int verticalRotation(QPoint angleDelta, Qt::KeyboardModifiers modifiers)
    {
        if (angleDelta.y() == 0 && (modifiers & (Qt::ShiftModifier | Qt::AltModifier)))
            return angleDelta.x();
        return angleDelta.y();
    }

    // Adds one event's rotation; returns the whole notches to perform, positive upwards (away from
    // the user) and negative downwards.
    int add(int rotation)
    {
        m_total += rotation;
        int notches = 0;
        while (m_total >= notch) {
            m_total -= notch;
            ++notches;
        }
        while (m_total <= -notch) {
            m_total += notch;
            --notches;
        }
        return notches;
    }

private:
    int m_total = 0;
};
