#include "print/textwrap.h"

#include <QRegularExpression>

namespace {

// A prefix that is already too wide answers for the whole text, so that a pasted megabyte is not measured
// whole, again for every line broken off it.
bool fits(QStringView text, double width, const TextMeasure &measure)
{
    for (qsizetype length = 64; length < text.size(); length *= 2) {
        const qsizetype whole = text.at(length - 1).isHighSurrogate() ? length + 1 : length;
        if (measure(text.first(whole)) > width)
            return false;
    }
    return measure(text) <= width;
}

// Characters of the word's start that fit, at least one, never splitting a surrogate pair.
qsizetype fittingPrefix(QStringView word, double width, const TextMeasure &measure)
{
    // Grow in doubling steps, then halve the last step: few measurements even for a long word.
    qsizetype fitting = 1;
    qsizetype step = 1;
    while (fitting + step <= word.size() && fits(word.first(fitting + step), width, measure)) {
        fitting += step;
        step *= 2;
    }
    for (step /= 2; step > 0; step /= 2) {
        if (fitting + step <= word.size() && fits(word.first(fitting + step), width, measure))
            fitting += step;
    }
    if (fitting < word.size() && word.at(fitting - 1).isHighSurrogate())
        fitting += 1;
    return fitting;
}

// Appends the paragraph's lines; stops early once there are maxLines.
void wrapParagraph(const QString &paragraph, double width, const TextMeasure &measure, qsizetype maxLines,
                   QStringList &lines)
{
    const qsizetype firstLine = lines.size();
    QString line;
    bool lineStarted = false;
    for (const QString &word : paragraph.split(u' ')) {
        if (lines.size() >= maxLines)
            return;
        const QString candidate = lineStarted ? line + u' ' + word : word;
        if (fits(candidate, width, measure)) {
            line = candidate;
            lineStarted = true;
            continue;
        }
        if (lineStarted)
            lines << line;
        QStringView rest = word;
        while (!rest.isEmpty() && lines.size() < maxLines && !fits(rest, width, measure)) {
            const qsizetype prefix = fittingPrefix(rest, width, measure);
            lines << rest.first(prefix).toString();
            rest = rest.sliced(prefix);
        }
        line = rest.toString();
        lineStarted = !rest.isEmpty();
    }
    if (lineStarted || lines.size() == firstLine)
        lines << line;
}

} // namespace

QStringList wrapText(const QString &text, double width, const TextMeasure &measure, qsizetype maxLines)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString &paragraph : text.split(lineBreak)) {
        if (lines.size() >= maxLines)
            break;
        wrapParagraph(paragraph, width, measure, maxLines, lines);
    }
    if (lines.size() > maxLines)
        lines.resize(maxLines);
    return lines;
}
