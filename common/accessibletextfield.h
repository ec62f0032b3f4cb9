#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

// What a one-line field's text interface reads the same way whatever edits the text: its value, parts
// of its text, its one selection, and no attributes. A field supplies the text it shows and the caret,
// selection and character places.
class AccessibleTextField : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return shownText();
        return QAccessibleWidget::text(kind);
    }

    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset > endOffset || startOffset < 0)
            return QString();
        return shownText().mid(startOffset, endOffset - startOffset);
    }

    int characterCount() const override { return int(shownText().size()); }

    // The field holds one selection; a new one replaces it.
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }

    // The field scrolls to keep the caret in view, as a line edit does.
    void scrollToSubstring(int, int endIndex) override { setCursorPosition(endIndex); }

    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

protected:
    // The text as the field shows it.
    virtual QString shownText() const = 0;
};

// Gives every widget of class Field the interface Accessible: Qt asks the factory by class name.
template <class Field, class Accessible>
QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String(Field::staticMetaObject.className()))
        return new Accessible(static_cast<Field *>(object));
    return nullptr;
}

// Installs that factory once, however many fields of the class are made.
template <class Field, class Accessible>
void installAccessibleFactory()
{
    static const bool installed = (QAccessible::installFactory(createAccessible<Field, Accessible>), true);
    Q_UNUSED(installed);
}
