#pragma once

#include <QColor>
#include <cstdint>

// Colours are stored as one number with red in the lowest byte, then green, then blue.
inline QColor colorFromValue(std::uint32_t value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
