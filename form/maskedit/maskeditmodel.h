#pragma once

#include "form/maskedit/editmask.h"
#include "form/maskedit/editmode.h"

#include <QChar>
#include <QString>

// The editing rules of a masked field, apart from any window: its text, caret, selection, restore
// point and modified flag, and what typing, Backspace, Delete, cut and paste do to them.
//
// Every change of the text goes through one edit procedure: it remembers the text as the restore
// point, replaces the edited range, and returns to the restore point if the result does not fit
// the mask. The text therefore keeps the shape of the blank template while the user types.
//
// Positions are counted from 0: the caret stands before the character of its number, and
// text().size() is after the last character.
class MaskEditModel
{
public:
    explicit MaskEditModel(SharedEditMode &editMode = SharedEditMode::application());

    const QString &mask() const { return m_mask.pattern(); }
    // A different mask sets the text to its blank template.
    void setMask(const QString &pattern);
    QChar blankChar() const { return m_blank; }
    void setBlankChar(QChar blank) { m_blank = blank; }
    // Upper limit on a text set from outside and on the result of an edit; 0 means none.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    SharedEditMode &editMode() const { return m_editMode; }

    const QString &text() const { return m_text; }
    // An equal text changes nothing, not even the caret. Otherwise the text is cut to MaxLength, the
    // caret goes to the start, and a text that does not fit the mask is replaced by the restore point.
    void setText(const QString &text);
    QString blankTemplate() const { return m_mask.blankTemplate(m_blank); }
    void resetToBlankTemplate() { setText(blankTemplate()); }
    bool fits(const QString &text) const { return m_mask.fits(text, m_blank); }

    // The text as it was just before the most recent edit; empty until the first edit.
    const QString &restorePoint() const { return m_restorePoint; }
    bool isModified() const { return m_modified; }

    qsizetype cursorPosition() const { return m_cursor; }
    bool hasSelection() const { return m_cursor != m_anchor; }
    qsizetype selectionStart() const { return qMin(m_cursor, m_anchor); }
    qsizetype selectionLength() const { return qAbs(m_cursor - m_anchor); }
    QString selectedText() const { return m_text.mid(selectionStart(), selectionLength()); }

    // Moves the caret within the text; with extendSelection the other end of the selection stays.
    void moveCursor(qsizetype position, bool extendSelection = false);
    // Selects from start over length characters and leaves the caret at the far end.
    void setSelection(qsizetype start, qsizetype length);
    void selectAll() { setSelection(0, m_text.size()); }
    void deselect() { moveCursor(m_cursor); }
    void cursorBackward(bool extendSelection) { moveCursor(m_cursor - 1, extendSelection); }
    void cursorForward(bool extendSelection) { moveCursor(m_cursor + 1, extendSelection); }
    void home(bool extendSelection) { moveCursor(0, extendSelection); }
    void end(bool extendSelection) { moveCursor(m_text.size(), extendSelection); }
    // A click at the end of the text: the caret goes where typing goes on filling the template, onto
    // the first digit position that shows the blank, or after the last character when none does.
    void moveCursorBeyondText();
    // Words are the runs of input positions between the literals.
    void wordBackward(bool extendSelection);
    void wordForward(bool extendSelection);
    void selectWordAt(qsizetype position);

    // Overwrites the character at the caret (or the selected one) if the mask accepts it there;
    // a character that is not accepted is ignored.
    void typeCharacter(QChar character);
    // Clears the position before the caret (or the selection) back to the template, caret onto it.
    void backspace();
    // Clears the position at the caret (or the selection) back to the template; the caret stays.
    void deleteForward();
    // Removes the selection (or, in overwrite mode, the character at the caret) if the rest still
    // fits; returns the text for the clipboard.
    QString cut();
    // Replaces the selection (or, in overwrite mode, the character at the caret) by the text if
    // the result fits.
    void paste(const QString &clipboardText);

    // One level, as in a plain edit box: undoing again brings the edit back.
    bool isUndoAvailable() const;
    void undo();

private:
    struct Range
    {
        qsizetype start = 0;
        qsizetype length = 0;
    };

    Range editRange() const;
    void replaceRange(QString replacement);
    void clearSelectionToTemplate();
    bool isWordPosition(qsizetype position) const { return !m_mask.isLiteral(position); }

    SharedEditMode &m_editMode;
    EditMask m_mask;
    QChar m_blank = u'_';
    int m_maxLength = 0;
    bool m_readOnly = false;

    QString m_text;
    qsizetype m_cursor = 0;
    qsizetype m_anchor = 0;
    QString m_restorePoint;
    bool m_modified = false;

    bool m_undoAvailable = false;
    QString m_undoText;
    qsizetype m_undoCursor = 0;
};
