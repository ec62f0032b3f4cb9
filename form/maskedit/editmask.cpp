#include "form/maskedit/editmask.h"

namespace {

constexpr QChar digitPosition = u'0';
constexpr QChar literalEscape = u'\\';

bool isAsciiDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

} // namespace

EditMask::EditMask(const QString &pattern)
    : m_pattern(pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar character = pattern.at(i);
        if (character == digitPosition)
            m_positions.append(Position{});
        else if (character == literalEscape && i + 1 < pattern.size())
            m_positions.append(Position{pattern.at(++i)});
        else
            m_positions.append(Position{character});
    }
}

bool EditMask::isLiteral(qsizetype position) const
{
    return position >= 0 && position < size() && !m_positions.at(position).isDigit();
}

QString EditMask::blankTemplate(QChar blank) const
{
    QString text;
    text.reserve(size());
    for (qsizetype position = 0; position < size(); ++position)
        text.append(blankAt(position, blank));
    return text;
}

QChar EditMask::blankAt(qsizetype position, QChar blank) const
{
    return isLiteral(position) ? m_positions.at(position).literal : blank;
}

bool EditMask::accepts(QChar character, qsizetype position, QChar blank) const
{
    if (character == blank)
        return true;
    if (position < 0 || position >= size())
        return false;
    const Position &at = m_positions.at(position);
    return at.isDigit() ? isAsciiDigit(character) : character == at.literal;
}

bool EditMask::fits(const QString &text, QChar blank) const
{
    if (text.size() > size())
        return false;
    for (qsizetype position = 0; position < text.size(); ++position) {
        if (!accepts(text.at(position), position, blank))
            return false;
    }
    return true;
}
