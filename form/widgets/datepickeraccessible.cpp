#include "form/widgets/datepickeraccessible.h"

#include "form/widgets/tdatetimepicker.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace {

// The text interface reads the edit line, which Qt's own accessibility leaves without one inside a
// spin box.
class DatePickerAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit DatePickerAccessible(TDateTimePicker *picker)
        : QAccessibleWidget(picker, QAccessible::SpinBox)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return shown()->text();
        return QAccessibleWidget::text(kind);
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

    // The edit line holds one selection; a new one replaces it.
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }

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

    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset > endOffset || startOffset < 0)
            return QString();
        return shown()->text().mid(startOffset, endOffset - startOffset);
    }

    int characterCount() const override { return int(shown()->text().size()); }

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

    void scrollToSubstring(int, int endIndex) override { shown()->setCursorPosition(endIndex); }

    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    // The room a line edit keeps between its edge and its text.
    static constexpr int editLineMargin = 2;

    QLineEdit *shown() const { return static_cast<TDateTimePicker *>(widget())->textField(); }
};

QAccessibleInterface *accessibleDatePicker(const QString &className, QObject *object)
{
    if (className == QLatin1String(TDateTimePicker::staticMetaObject.className()))
        return new DatePickerAccessible(static_cast<TDateTimePicker *>(object));
    return nullptr;
}

} // namespace

void installDatePickerAccessibility()
{
    static const bool installed = (QAccessible::installFactory(accessibleDatePicker), true);
    Q_UNUSED(installed);
}
