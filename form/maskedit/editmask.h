#pragma once

#include <QChar>
#include <QList>
#include <QString>

// The pattern of a masked field, one position per character of its text. "0" is a digit position;
// a backslash makes the character after it a literal position. Any other pattern character is a
// literal of itself, so that an unknown pattern still gives a usable template.
//
// Positions are counted from 0, as in QString.
class EditMask
{
public:
    EditMask() = default;
    explicit EditMask(const QString &pattern);

    const QString &pattern() const { return m_pattern; }
    qsizetype size() const { return m_positions.size(); }

    bool isLiteral(qsizetype position) const;

    // The text of an unfilled field: the blank for every digit position, the literal for every literal.
    QString blankTemplate(QChar blank) const;

    // The character that clears a position: the blank for a digit position, the literal itself for
    // a literal position.
    QChar blankAt(qsizetype position, QChar blank) const;

    // The blank is accepted everywhere, literal positions included; a digit only at a digit position;
    // a literal only at its own position. Beyond the last position only the blank is accepted.
    bool accepts(QChar character, qsizetype position, QChar blank) const;

    // A text fits when it is no longer than the template and every character is accepted at its
    // own position. Shorter texts, the empty one included, can fit.
    bool fits(const QString &text, QChar blank) const;

private:
    // A digit position holds a null literal.
    struct Position
    {
        QChar literal;
        bool isDigit() const { return literal.isNull(); }
    };

    QString m_pattern;
    QList<Position> m_positions;
};
