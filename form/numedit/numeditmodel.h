#pragma once

#include "common/regionalsettings.h"
#include "form/numedit/numberformat.h"

#include <QString>

#include <optional>

// The editing rules of the numeric entry field, apart from any widget: the text with its caret and
// selection, the character filter, the deletion keys, the clipboard operations, and what happens when
// the field is entered and left. Positions are 0-based caret positions; the caret is the start of the
// selection.
//
// Operations that refuse a character report it to the caller, which sounds the beep; operations that
// read the value throw EConvertError when the text is not a number.
class NumEditModel
{
public:
    // Longer texts are never produced by typing or pasting (the usual single-line edit limit), which
    // keeps every edit cheap however much text is pasted.
    static constexpr int maximumTypedLength = 32767;

    explicit NumEditModel(const RegionalSettings &regional);

    const QString &text() const { return m_text; }
    int selectionStart() const { return m_selectionStart; }
    int selectionLength() const { return m_selectionLength; }

    // Takes the text as given; a different text puts the caret at the start, an identical one changes
    // nothing.
    void setText(const QString &text);
    // Clamped to the text.
    void setSelection(int start, int length);
    void selectAll();

    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }
    long double minValue() const { return m_minValue; }
    void setMinValue(long double minValue) { m_minValue = minValue; }
    long double maxValue() const { return m_maxValue; }
    void setMaxValue(long double maxValue) { m_maxValue = maxValue; }

    // Clamped to -1..14; a change rewrites the text from its value (which may throw).
    int decimals() const { return m_decimals; }
    void setDecimals(int decimals);
    // Always rewrites the text from its value (which may throw).
    NumberFormat numberFormat() const { return m_numberFormat; }
    void setNumberFormat(NumberFormat format);

    // The separators of later edits, readings and formattings; the text stays as it is.
    const RegionalSettings &regional() const { return m_regional; }
    void setRegional(const RegionalSettings &regional) { m_regional = regional; }

    // The number that the text says, digit for digit.
    DecimalNumber value() const;
    // Replaces the text by the formatted number only when that differs from the text.
    void setValue(long double value);

    // The character filter. Returns false when the character is refused (the caller beeps).
    [[nodiscard]] bool typeCharacter(QChar character);
    void pressBackspace();
    void pressDelete();

    // The selected text for the clipboard, without thousands separators.
    QString copy() const;
    // Copies, then deletes the selection.
    QString cut();
    // Offers each character of the clipboard text to the filter; returns how many were refused.
    [[nodiscard]] int paste(const QString &clipboard);

    void enter(bool byLeftMousePress);
    // Entered and not left since.
    bool isEntered() const { return m_entered; }
    // A left mouse press has been handled; completes the selection of a click that entered the field.
    void leftMousePressed();
    void keyWentDown() { m_pendingMouseSelection = false; }
    bool hasPendingMouseSelection() const { return m_pendingMouseSelection; }

    // Rewrites the text into display form (throws when it is not a number; the field is left all the
    // same). Returns the bound that the value violates, if a range is set and the value lies outside it.
    std::optional<long double> leave();

private:
    enum class Deletion { Backspace, Delete };

    NumberPattern pattern() const;

    bool hasSeparatorOrExponentAt(int index) const;
    void deleteKey(Deletion deletion);
    void deleteBeside(Deletion deletion);
    void deleteCharacterNumber(int target);
    void deleteSelection();
    bool fitsTypedLength(int added) const;

    bool toggleSign(int notedCaret, bool exponent);
    bool typeDecimalSeparator();
    bool typeExponent();
    bool typeDigit(QChar digit);
    void replaceCharacter(int index, QChar digit);
    void setCaret(int position);

    RegionalSettings m_regional;
    QString m_text = QStringLiteral("0");
    int m_selectionStart = 0;
    int m_selectionLength = 0;
    bool m_readOnly = false;
    bool m_autoSelect = true;
    bool m_pendingMouseSelection = false;
    bool m_entered = false;
    int m_decimals = -1;
    NumberFormat m_numberFormat = NumberFormat::Standard;
    long double m_minValue = 0;
    long double m_maxValue = 0;
};
