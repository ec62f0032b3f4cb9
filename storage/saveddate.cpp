#include "storage/saveddate.h"

#include "common/exception.h"
#include "common/messagevalue.h"

#include <QList>
#include <QRegularExpression>

namespace {

// A piece of a date format: a run of one of the section letters, or literal text (quoted or not).
struct FormatPiece
{
    QString source;  // as written in the format
    QChar letter;    // 'd', 'M' or 'y'; null for literal text
    QString literal; // the text a literal piece stands for
};

bool isSectionLetter(QChar character)
{
    return character == u'd' || character == u'M' || character == u'y';
}

// The quoted text that starts with the quote at start: what it stands for, and the index after it.
// Two quotes stand for one quote, inside a quoted text or on their own.
qsizetype quotedLiteral(const QString &format, qsizetype start, QString &literal)
{
    qsizetype index = start + 1;
    if (index < format.size() && format.at(index) == u'\'') {
        literal = QStringLiteral("'");
        return index + 1;
    }
    while (index < format.size()) {
        const QChar character = format.at(index++);
        if (character != u'\'')
            literal += character;
        else if (index < format.size() && format.at(index) == u'\'')
            literal += format.at(index++);
        else
            break;
    }
    return index;
}

// Splits the format the way QDate reads it: runs of a section letter, and literal text.
QList<FormatPiece> formatPieces(const QString &format)
{
    QList<FormatPiece> pieces;
    qsizetype index = 0;
    while (index < format.size()) {
        const QChar character = format.at(index);
        qsizetype end = index + 1;
        FormatPiece piece;
        if (isSectionLetter(character)) {
            while (end < format.size() && format.at(end) == character)
                ++end;
            piece.letter = character;
        } else if (character == u'\'') {
            end = quotedLiteral(format, index, piece.literal);
        } else {
            piece.literal = character;
        }
        piece.source = format.mid(index, end - index);
        pieces.append(piece);
        index = end;
    }
    return pieces;
}

bool isTwoDigitYear(const FormatPiece &piece)
{
    return piece.letter == u'y' && piece.source.size() == 2;
}

// No short date format writes a date this long; a longer text is refused before it is parsed.
constexpr qsizetype longestDateText = 100;

// Two-digit years from 30 on are of the 1900s, those below 30 of the 2000s.
int windowedYear(int twoDigitYear)
{
    return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

// The date text with its two-digit year written out in full, read in the saved format.
QDate parseTwoDigitYear(const QString &text, const QString &shortDateFormat)
{
    QString pattern;
    int yearSections = 0;
    for (const FormatPiece &piece : formatPieces(shortDateFormat)) {
        if (piece.letter.isNull())
            pattern += QRegularExpression::escape(piece.literal);
        else if (piece.letter == u'y' && (piece.source.size() == 2 || piece.source.size() == 4)) {
            pattern += QStringLiteral("(\\d{2})");
            ++yearSections;
        } else if (piece.letter == u'y')
            pattern += QRegularExpression::escape(piece.source);
        else if (piece.source.size() <= 2)
            pattern += QStringLiteral("\\d{1,2}");
        else
            pattern += QStringLiteral(".+?"); // a day or month name; QDate checks it below
    }
    if (yearSections != 1)
        return {};
    const QRegularExpression expression(QRegularExpression::anchoredPattern(pattern));
    const QRegularExpressionMatch match = expression.match(text);
    if (!match.hasMatch())
        return {};
    QString fullText = text;
    fullText.replace(match.capturedStart(1), 2, QString::number(windowedYear(match.captured(1).toInt())));
    return QDate::fromString(fullText, saveddate::savedFormat(shortDateFormat));
}

} // namespace

namespace saveddate {

QString savedFormat(const QString &shortDateFormat)
{
    QString format;
    for (const FormatPiece &piece : formatPieces(shortDateFormat))
        format += isTwoDigitYear(piece) ? QStringLiteral("yyyy") : piece.source;
    return format;
}

QString dateText(QDate date, const QString &shortDateFormat)
{
    return date.toString(savedFormat(shortDateFormat));
}

QDate parseDateText(const QString &text, const QString &shortDateFormat)
{
    const QString trimmed = text.trimmed();
    QDate date;
    if (trimmed.size() <= longestDateText) {
        date = QDate::fromString(trimmed, savedFormat(shortDateFormat));
        if (!date.isValid())
            date = parseTwoDigitYear(trimmed, shortDateFormat);
    }
    if (!date.isValid())
        throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(messagevalue::shortened(text)));
    return date;
}

} // namespace saveddate
