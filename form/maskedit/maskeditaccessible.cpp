#include "form/maskedit/maskeditaccessible.h"

#include "common/accessibletextfield.h"
#include "form/maskedit/tlmdmaskedit.h"

namespace {

class MaskEditAccessible : public AccessibleTextField
{
public:
    explicit MaskEditAccessible(TLMDMaskEdit *field)
        : AccessibleTextField(field, QAccessible::EditableText)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.readOnly = field()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !model().hasSelection())
            return;
        *startOffset = int(model().selectionStart());
        *endOffset = int(model().selectionStart() + model().selectionLength());
    }

    int selectionCount() const override { return model().hasSelection() ? 1 : 0; }

    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            field()->setCursorPosition(model().cursorPosition());
    }

    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            field()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return int(model().cursorPosition()); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }

    QRect characterRect(int offset) const override
    {
        const QRect local = field()->characterRect(offset);
        return QRect(field()->mapToGlobal(local.topLeft()), local.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        return int(field()->characterAt(field()->mapFromGlobal(point)));
    }

protected:
    QString shownText() const override { return field()->text(); }

private:
    TLMDMaskEdit *field() const { return static_cast<TLMDMaskEdit *>(widget()); }
    const MaskEditModel &model() const { return field()->model(); }
};

} // namespace

void installMaskEditAccessibility()
{
    installAccessibleFactory<TLMDMaskEdit, MaskEditAccessible>();
}

TextChange textChange(const QString &before, const QString &after)
{
    const qsizetype shorter = qMin(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    return {prefix, before.mid(prefix, before.size() - prefix - suffix), after.mid(prefix, after.size() - prefix - suffix)};
}

void announceMaskEditChange(QObject *field, const MaskEditModel &before, const MaskEditModel &after)
{
    const int cursor = int(after.cursorPosition());
    if (before.text() != after.text()) {
        const TextChange change = textChange(before.text(), after.text());
        const int position = int(change.position);
        if (change.removed.isEmpty()) {
            QAccessibleTextInsertEvent event(field, position, change.inserted);
            event.setCursorPosition(cursor);
            QAccessible::updateAccessibility(&event);
        } else if (change.inserted.isEmpty()) {
            QAccessibleTextRemoveEvent event(field, position, change.removed);
            event.setCursorPosition(cursor);
            QAccessible::updateAccessibility(&event);
        } else {
            QAccessibleTextUpdateEvent event(field, position, change.removed, change.inserted);
            event.setCursorPosition(cursor);
            QAccessible::updateAccessibility(&event);
        }
    }

    const bool selectionChanged = before.selectionStart() != after.selectionStart()
                                  || before.selectionLength() != after.selectionLength();
    if (after.hasSelection() && selectionChanged) {
        QAccessibleTextSelectionEvent event(field, int(after.selectionStart()),
                                            int(after.selectionStart() + after.selectionLength()));
        event.setCursorPosition(cursor);
        QAccessible::updateAccessibility(&event);
    } else if (before.cursorPosition() != after.cursorPosition() || selectionChanged) {
        QAccessibleTextCursorEvent event(field, cursor);
        QAccessible::updateAccessibility(&event);
    }
}
