#pragma once

#include <QColor>
#include <QList>

// A section header's fill: 16 horizontal bands of equal share, each of one colour stepped evenly from
// the start colour (top) to the end colour (bottom).
struct GradientBand
{
    int top;    // first row
    int bottom; // one past the last row
    QColor color;
};

QList<GradientBand> headerGradient(QColor start, QColor end, int height);
