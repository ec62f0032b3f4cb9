#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <limits>

// The width a piece of text takes in the font it is drawn in.
using TextMeasure = std::function<double(QStringView text)>;

// Breaks text into the lines a text object draws: each CR LF (or lone CR or LF) ends a line, and a line
// wider than the width wraps at spaces (the space at a break is dropped). A word wider than the width
// on its own is broken between characters, at least one character per line. Only the first maxLines lines
// are made, so that a text far longer than its object can show costs no more than what it shows.
QStringList wrapText(const QString &text, double width, const TextMeasure &measure,
                     qsizetype maxLines = std::numeric_limits<qsizetype>::max());
