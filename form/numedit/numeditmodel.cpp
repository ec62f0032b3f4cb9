#include "form/numedit/numeditmodel.h"

#include <algorithm>

namespace {

constexpr int largestDecimals = 14;
constexpr int largestExponent = 4932;
// How much of the exponent after the caret counts when an exponent digit is checked against the limit.
constexpr int exponentLookahead = 99;

// Control characters that reach the filter but are not typing: the copy, paste and cut requests are
// handled as such by the widget, and Backspace has done its work when its key went down.
constexpr char16_t copyRequest = 3;
constexpr char16_t pasteRequest = 22;
constexpr char16_t cutRequest = 24;
constexpr char16_t backspaceCharacter = 8;

bool isAsciiDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

// Whether the text, read as an integer, stays within the exponent limit; a text that is not an
// integer does not.
bool isExponentWithinLimit(QStringView exponent)
{
    if (exponent.startsWith(u'-') || exponent.startsWith(u'+'))
        exponent = exponent.mid(1);
    if (exponent.isEmpty())
        return false;
    int magnitude = 0;
    for (QChar character : exponent) {
        if (!isAsciiDigit(character))
            return false;
        magnitude = magnitude * 10 + (character.unicode() - u'0');
        if (magnitude > largestExponent)
            return false;
    }
    return true;
}

} // namespace

NumEditModel::NumEditModel(const RegionalSettings &regional)
    : m_regional(regional)
{
}

void NumEditModel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setCaret(0);
}

void NumEditModel::setSelection(int start, int length)
{
    const int size = int(m_text.size());
    m_selectionStart = std::clamp(start, 0, size);
    m_selectionLength = std::clamp(length, 0, size - m_selectionStart);
}

void NumEditModel::selectAll()
{
    setSelection(0, int(m_text.size()));
}

void NumEditModel::setCaret(int position)
{
    setSelection(position, 0);
}

void NumEditModel::setDecimals(int decimals)
{
    const int clamped = std::clamp(decimals, -1, largestDecimals);
    if (clamped == m_decimals)
        return;
    const DecimalNumber current = value();
    m_decimals = clamped;
    setText(formatNumber(current, pattern(), m_regional));
}

void NumEditModel::setNumberFormat(NumberFormat format)
{
    const DecimalNumber current = value();
    m_numberFormat = format;
    setText(formatNumber(current, pattern(), m_regional));
}

DecimalNumber NumEditModel::value() const
{
    return readNumber(m_text, m_regional);
}

void NumEditModel::setValue(long double value)
{
    setText(formatNumber(value, pattern(), m_regional));
}

NumberPattern NumEditModel::pattern() const
{
    return NumberPattern::forField(m_numberFormat, m_decimals);
}

bool NumEditModel::typeCharacter(QChar typed)
{
    if (m_readOnly)
        return true;
    const char16_t code = typed.unicode();
    if (code == copyRequest || code == pasteRequest || code == cutRequest || code == backspaceCharacter)
        return true;

    const QChar separator = m_regional.decimalSeparator;
    const bool acceptable = isAsciiDigit(typed) || typed == u'-' || typed == u'E' || typed == u'e'
        || (typed == separator && m_decimals != 0);
    if (!acceptable)
        return false;
    const QChar character = typed == u'e' ? QChar(u'E') : typed;
    const int notedCaret = m_selectionStart;
    const int notedExponentNumber = int(m_text.indexOf(u'E')) + 1;

    if (character == separator || character == u'E')
        m_selectionLength = 0;
    else
        deleteSelection();

    // Nothing is typed in front of the sign, nor between the "E" and the exponent's sign.
    if (m_text.startsWith(u'-') && m_selectionStart == 0)
        setCaret(1);
    const int exponent = int(m_text.indexOf(u'E'));
    if (exponent >= 0 && m_selectionStart == exponent + 1 && m_text.mid(exponent + 1, 1) == u"-")
        setCaret(exponent + 2);

    if (character == u'-') {
        const bool afterExponent = notedExponentNumber != 0 && notedExponentNumber <= notedCaret && exponent >= 0;
        return toggleSign(notedCaret, afterExponent);
    }
    if (character == separator)
        return typeDecimalSeparator();
    if (character == u'E')
        return typeExponent();
    return typeDigit(character);
}

bool NumEditModel::toggleSign(int notedCaret, bool exponent)
{
    const int signIndex = exponent ? int(m_text.indexOf(u'E')) + 1 : 0;
    if (m_text.mid(signIndex, 1) == u"-") {
        setText(QString(m_text).remove(signIndex, 1));
        setCaret(notedCaret - 1);
        return true;
    }
    if (!fitsTypedLength(1))
        return false;
    setText(QString(m_text).insert(signIndex, u'-'));
    setCaret(notedCaret + 1);
    return true;
}

bool NumEditModel::typeDecimalSeparator()
{
    const QChar separator = m_regional.decimalSeparator;
    const int existing = int(m_text.indexOf(separator));
    if (existing >= 0) {
        setCaret(existing + 1);
        return true;
    }
    if (!fitsTypedLength(1))
        return false;
    const int exponent = int(m_text.indexOf(u'E'));
    const int mantissaEnd = exponent >= 0 ? exponent : int(m_text.size());
    m_text.insert(mantissaEnd, separator);
    setCaret(mantissaEnd + 1);
    return true;
}

bool NumEditModel::typeExponent()
{
    const int existing = int(m_text.indexOf(u'E'));
    if (existing >= 0) {
        setCaret(existing + 1);
        return true;
    }
    if (!fitsTypedLength(1))
        return false;
    m_text.append(u'E');
    setCaret(int(m_text.size()));
    return true;
}

bool NumEditModel::typeDigit(QChar digit)
{
    const int caret = m_selectionStart;
    if (caret <= 2 && m_text.startsWith(u'-') && m_text.mid(1, 1) == u"0") {
        replaceCharacter(1, digit);
        return true;
    }
    if (caret <= 1 && m_text.startsWith(u'0')) {
        replaceCharacter(0, digit);
        return true;
    }
    const int exponent = int(m_text.indexOf(u'E'));
    if (exponent >= 0 && caret == exponent + 1 && m_text.mid(caret, 1) == u"0") {
        replaceCharacter(caret, digit);
        return true;
    }
    if (exponent >= 0 && caret > exponent) {
        const QString resulting = m_text.mid(exponent + 1, caret - exponent - 1) + digit
            + m_text.mid(caret, exponentLookahead);
        if (!isExponentWithinLimit(resulting))
            return false;
    }
    if (!fitsTypedLength(1))
        return false;
    m_text.insert(caret, digit);
    setCaret(caret + 1);
    return true;
}

void NumEditModel::replaceCharacter(int index, QChar digit)
{
    m_text[index] = digit;
    setCaret(index + 1);
}

bool NumEditModel::fitsTypedLength(int added) const
{
    return m_text.size() + added <= maximumTypedLength;
}

void NumEditModel::pressBackspace()
{
    deleteKey(Deletion::Backspace);
}

void NumEditModel::pressDelete()
{
    deleteKey(Deletion::Delete);
}

void NumEditModel::deleteKey(Deletion deletion)
{
    if (m_readOnly)
        return;
    if (m_selectionLength > 0)
        deleteSelection();
    else
        deleteBeside(deletion);
}

bool NumEditModel::hasSeparatorOrExponentAt(int index) const
{
    const QChar character = m_text[index];
    return character == m_regional.decimalSeparator || character == m_regional.thousandSeparator
        || character == u'E';
}

void NumEditModel::deleteBeside(Deletion deletion)
{
    const int caret = m_selectionStart;
    const int size = int(m_text.size());
    int target = 0; // a character number, counted from 1
    if (deletion == Deletion::Delete) {
        if (caret >= size)
            return;
        target = hasSeparatorOrExponentAt(caret) ? caret + 2 : caret + 1;
    } else {
        if (caret == 0)
            return;
        target = hasSeparatorOrExponentAt(caret - 1) ? caret - 1 : caret;
    }
    if (target == 0 || target > size)
        return;
    deleteCharacterNumber(target);
}

// Only the first character gets special treatment; any other target, in the fraction or not, is
// simply removed.
void NumEditModel::deleteCharacterNumber(int target)
{
    if (target == 1 && m_text.startsWith(u'-')) {
        const QString withoutSign = m_text.mid(1);
        setText(withoutSign.isEmpty() ? QStringLiteral("0") : withoutSign);
        return;
    }
    const bool soleIntegerDigit = m_text.size() == 1 || m_text[1] == m_regional.decimalSeparator
        || m_text[1] == u'E';
    if (target == 1 && soleIntegerDigit) {
        replaceCharacter(0, u'0');
        return;
    }
    m_text.remove(target - 1, 1);
    setCaret(target - 1);
}

void NumEditModel::deleteSelection()
{
    if (m_selectionLength == 0)
        return;
    if (m_selectionStart == 0 && m_selectionLength == m_text.size()) {
        setText(formatNumber(DecimalNumber(), pattern(), m_regional));
        return;
    }
    const QString selected = m_text.mid(m_selectionStart, m_selectionLength);
    int deletions = m_selectionLength - int(selected.count(m_regional.thousandSeparator))
        - (selected.contains(m_regional.decimalSeparator) ? 1 : 0);
    setCaret(m_selectionStart + m_selectionLength);
    for (; deletions > 0; --deletions)
        deleteBeside(Deletion::Backspace);
}

QString NumEditModel::copy() const
{
    QString selected = m_text.mid(m_selectionStart, m_selectionLength);
    selected.remove(m_regional.thousandSeparator);
    if (selected.isEmpty())
        return QStringLiteral("0");
    if (selected == u"-")
        return QStringLiteral("-0");
    return selected;
}

QString NumEditModel::cut()
{
    const QString copied = copy();
    if (!m_readOnly)
        deleteSelection();
    return copied;
}

int NumEditModel::paste(const QString &clipboard)
{
    if (m_readOnly)
        return 0;
    deleteSelection();
    // A longer clipboard text could never fit; its rest is refused as one.
    const QStringView offered = QStringView(clipboard).left(maximumTypedLength);
    int refused = offered.size() < clipboard.size() ? 1 : 0;
    for (QChar character : offered) {
        if (!typeCharacter(character))
            ++refused;
    }
    return refused;
}

void NumEditModel::enter(bool byLeftMousePress)
{
    if (m_autoSelect)
        selectAll();
    m_pendingMouseSelection = byLeftMousePress;
    m_entered = true;
}

void NumEditModel::leftMousePressed()
{
    if (m_pendingMouseSelection)
        selectAll();
    m_pendingMouseSelection = false;
}

std::optional<long double> NumEditModel::leave()
{
    m_entered = false;
    const DecimalNumber current = value();
    setText(formatNumber(current, pattern(), m_regional));
    if (m_minValue == 0 && m_maxValue == 0)
        return std::nullopt;
    // The bounds are extended-precision numbers, so the value is compared as one.
    const long double extended = current.toExtended();
    if (extended < m_minValue)
        return m_minValue;
    if (extended > m_maxValue)
        return m_maxValue;
    return std::nullopt;
}
