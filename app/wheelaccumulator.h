#pragma once

// Wheel rotation arrives in units of 120 per notch, sometimes in parts. The accumulator keeps the
// running total and hands out whole notches; what is left waits for the next event.
class WheelAccumulator
{
public:
    static constexpr int notch = 120;

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
