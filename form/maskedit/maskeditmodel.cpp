#include "form/maskedit/maskeditmodel.h"

#include <utility>

MaskEditModel::MaskEditModel(SharedEditMode &editMode)
    : m_editMode(editMode)
{
}

void MaskEditModel::setMask(const QString &pattern)
{
    if (pattern == m_mask.pattern())
        return;
    m_mask = EditMask(pattern);
    resetToBlankTemplate();
}

void MaskEditModel::setText(const QString &text)
{
    if (text == m_text)
        return;
    const QString cut = m_maxLength > 0 ? text.left(m_maxLength) : text;
    m_text = fits(cut) ? cut : m_restorePoint;
    m_undoAvailable = false;
    moveCursor(0);
}

void MaskEditModel::moveCursor(qsizetype position, bool extendSelection)
{
    m_cursor = qBound(qsizetype(0), position, m_text.size());
    if (!extendSelection)
        m_anchor = m_cursor;
}

void MaskEditModel::moveCursorBeyondText()
{
    qsizetype position = 0;
    while (position < m_text.size() && (m_text.at(position) != m_blank || m_mask.isLiteral(position)))
        ++position;
    moveCursor(position);
}

void MaskEditModel::setSelection(qsizetype start, qsizetype length)
{
    moveCursor(start);
    moveCursor(start + length, true);
}

void MaskEditModel::wordBackward(bool extendSelection)
{
    qsizetype position = m_cursor;
    while (position > 0 && !isWordPosition(position - 1))
        --position;
    while (position > 0 && isWordPosition(position - 1))
        --position;
    moveCursor(position, extendSelection);
}

void MaskEditModel::wordForward(bool extendSelection)
{
    qsizetype position = m_cursor;
    while (position < m_text.size() && isWordPosition(position))
        ++position;
    while (position < m_text.size() && !isWordPosition(position))
        ++position;
    moveCursor(position, extendSelection);
}

void MaskEditModel::selectWordAt(qsizetype position)
{
    if (m_text.isEmpty())
        return;
    position = qBound(qsizetype(0), position, m_text.size() - 1);
    if (!isWordPosition(position)) {
        setSelection(position, 1);
        return;
    }
    qsizetype start = position;
    while (start > 0 && isWordPosition(start - 1))
        --start;
    qsizetype end = position + 1;
    while (end < m_text.size() && isWordPosition(end))
        ++end;
    setSelection(start, end - start);
}

void MaskEditModel::typeCharacter(QChar character)
{
    if (m_readOnly)
        return;
    if (selectionLength() > 1)
        setSelection(selectionStart(), 1);
    m_editMode.setOverwrite(true);
    if (!m_mask.accepts(character, selectionStart(), m_blank))
        return;
    replaceRange(QString(character));
}

void MaskEditModel::backspace()
{
    if (m_readOnly || m_text.isEmpty())
        return;
    if (!hasSelection()) {
        if (m_cursor == 0) {
            // Nothing stands before the caret, so the edit replaces nothing; in overwrite mode it
            // would take the character at the caret instead, so there is no edit at all.
            if (!m_editMode.isOverwrite())
                replaceRange(QString());
            return;
        }
        setSelection(m_cursor - 1, 1);
    }
    const qsizetype firstReplaced = selectionStart();
    clearSelectionToTemplate();
    moveCursor(firstReplaced);
}

void MaskEditModel::deleteForward()
{
    if (m_readOnly || m_cursor > m_mask.size())
        return;
    const qsizetype cursorBefore = m_cursor;
    // After the last character this selects nothing, and the edit replaces nothing.
    if (!hasSelection())
        setSelection(m_cursor, 1);
    clearSelectionToTemplate();
    moveCursor(cursorBefore);
}

QString MaskEditModel::cut()
{
    const QString copied = selectedText();
    replaceRange(QString());
    return copied;
}

void MaskEditModel::paste(const QString &clipboardText)
{
    replaceRange(clipboardText);
}

bool MaskEditModel::isUndoAvailable() const
{
    return m_undoAvailable && !m_readOnly && fits(m_undoText);
}

void MaskEditModel::undo()
{
    if (!isUndoAvailable())
        return;
    m_restorePoint = m_text;
    std::swap(m_text, m_undoText);
    const qsizetype cursorBefore = m_cursor;
    moveCursor(m_undoCursor);
    m_undoCursor = cursorBefore;
    m_modified = true;
}

MaskEditModel::Range MaskEditModel::editRange() const
{
    if (hasSelection())
        return {selectionStart(), selectionLength()};
    if (m_editMode.isOverwrite() && m_cursor < m_text.size())
        return {m_cursor, 1};
    return {m_cursor, 0};
}

void MaskEditModel::replaceRange(QString replacement)
{
    if (m_readOnly)
        return;
    const Range range = editRange();
    m_restorePoint = m_text;

    QString edited = m_text;
    edited.remove(range.start, range.length);
    if (!replacement.isEmpty() && !fits(QString(edited).insert(range.start, replacement)))
        replacement.clear();
    if (m_maxLength > 0 && edited.size() + replacement.size() > m_maxLength)
        replacement.clear();
    edited.insert(range.start, replacement);
    m_modified = true;
    if (!fits(edited))
        edited = m_restorePoint;

    if (edited != m_text) {
        m_undoAvailable = true;
        m_undoText = m_text;
        m_undoCursor = m_cursor;
        m_text = edited;
    }
    moveCursor(range.start + replacement.size());
}

void MaskEditModel::clearSelectionToTemplate()
{
    const qsizetype start = selectionStart();
    QString blanks;
    blanks.reserve(selectionLength());
    for (qsizetype position = start; position < start + selectionLength(); ++position)
        blanks.append(m_mask.blankAt(position, m_blank));
    replaceRange(blanks);
}
