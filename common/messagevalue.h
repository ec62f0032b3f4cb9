#pragma once

#include <QString>

namespace messagevalue {

// A value as a conversion message quotes it: a field or a crafted file may hold a value of any length,
// and the error box must show at once and stay readable.
inline QString shortened(const QString &value)
{
    constexpr qsizetype longestShown = 50;
    if (value.size() <= longestShown)
        return value;
    return value.left(longestShown) + QStringLiteral("...");
}

} // namespace messagevalue
