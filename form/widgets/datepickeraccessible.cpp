#include "form/widgets/datepickeraccessible.h"

#include "common/accessibletextfield.h"
#include "form/widgets/tdatetimepicker.h"

#include <QLineEdit>

namespace {

// The text interface reads the edit line, which Qt's own accessibility leaves without one inside a
// spin box.
class DatePickerAccessible : public AccessibleTextField
{
public:
    explicit DatePickerAccessible(TDateTimePicker *picker)
        : AccessibleTextField(picker, QAccessible::SpinBox)
    {
    }

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !shown()->hasSelectedText())
            return;
        *startOffset = shown()->selectionStart();
        *endOffset = shown()->selectionEnd();
    }

    int selectionCount() const override { return shown()->hasSelectedText() ? 1 : 0; }

    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            shown()->deselect();
    }

    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            shown()->setSelection(startOffset, endOffset - startOffset);
    }

    int cursorPosition() const override { return shown()->cursorPosition(); }
    void setCursorPosition(int position) override { shown()->setCursorPosition(position); }

    // The short date always fits the field, so the text is never scrolled sideways: each character
    // stands at the advance of the text before it, from the edit line's left margin.
    QRect characterRect(int offset) const override
    {
        const QString text = shown()->text();
        if (offset < 0 || offset >= text.size())
            return QRect();
        const QFontMetrics metrics = shown()->fontMetrics();
        const int left = shown()->textMargins().left() + editLineMargin + metrics.horizontalAdvance(text.left(offset));
        const int top = (shown()->height() - metrics.height()) / 2;
        const QRect local(left, top, metrics.horizontalAdvance(text.at(offset)), metrics.height());
        return QRect(shown()->mapToGlobal(local.topLeft()), local.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        return shown()->cursorPositionAt(shown()->mapFromGlobal(point));
    }

protected:
    QString shownText() const override { return shown()->text(); }

private:
    // The room a line edit keeps between its edge and its text.
    static constexpr int editLineMargin = 2;

    QLineEdit *shown() const { return static_cast<TDateTimePicker *>(widget())->textField(); }
};

} // namespace

void installDatePickerAccessibility()
{
    installAccessibleFactory<TDateTimePicker, DatePickerAccessible>();
}
