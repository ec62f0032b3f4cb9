#include "print/textwrap.h"

#include <QRegularExpression>

namespace {

bool fits(QStringView text, double width, const TextMeasure &measure)
{
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

void wrapParagraph(const QString &paragraph, double width, const TextMeasure &measure, QStringList &lines)
{
    QString line;
    bool lineStarted = false;
    for (const QString &word : paragraph.split(u' ')) {
        const QString candidate = lineStarted ? line + u' ' + word : word;
        if (fits(candidate, width, measure)) {
            line = candidate;
            lineStarted = true;
            continue;
        }
        if (lineStarted)
            lines << line;
        QStringView rest = word;
        while (!rest.isEmpty() && !fits(rest, width, measure)) {
            const qsizetype prefix = fittingPrefix(rest, width, measure);
            lines << rest.first(prefix).toString();
            rest = rest.sliced(prefix);
        }
        line = rest.toString();
        lineStarted = !rest.isEmpty();
    }
    if (lineStarted || lines.isEmpty())
        lines << line;
}

} // namespace

QStringList wrapText(const QString &text, double width, const TextMeasure &measure)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString &paragraph : text.split(lineBreak)) {
        QStringList paragraphLines;
        wrapParagraph(paragraph, width, measure, paragraphLines);
        lines << paragraphLines;
    }
    return lines;
}
