#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QWidget;

// Marks fields whose value looks mistyped: a red frame over the field's border, and the reason as its
// tool tip and accessible description. Unmarking gives back the tool tip and description the field
// had before. The value itself is never touched.
class FieldMarks : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~FieldMarks() override;

    void mark(QWidget *field, const QString &reason);
    void unmark(QWidget *field);
    bool isMarked(QWidget *field) const { return m_marks.contains(field); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Previous
    {
        QString toolTip;
        QString accessibleDescription;
    };

    QHash<QWidget *, Previous> m_marks;
};
