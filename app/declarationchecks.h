#pragma once

#include "app/fieldmarks.h"
#include "form/checks/fieldcheck.h"

#include <QList>
#include <QObject>

class QCheckBox;
class QWidget;
class TDateTimePicker;
class TForm1;

// Looks for typing mistakes in the fields that the catalogue links to a rule. A field left with a
// value that breaks its rule is marked, and the mark goes once the value is valid or empty; before
// printing, the problems are listed and the user chooses to fix them or to print all the same.
// Nothing typed is ever refused or changed.
class DeclarationChecks : public QObject
{
    Q_OBJECT

public:
    explicit DeclarationChecks(const TForm1 &form);

    // Marks every checked field whose value breaks its rule and clears the others.
    void refresh();

    // Before the print command: true when nothing looks wrong or the user prints all the same; false
    // when the user chose to fix, with the focus then in the first field in question. The page's
    // problems (texts it cannot hold) are listed after the fields' own.
    bool confirmPrinting(const QList<Problem> &pageProblems);

    bool isMarked(QWidget *field) const { return m_marks.isMarked(field); }

private:
    struct CheckedField
    {
        QWidget *widget;
        QString name;
        FieldCheck check;
    };

    CheckContext context() const;
    QList<CheckedValue> values() const;
    void focusMoved(QWidget *old, QWidget *now);
    void textEdited(const CheckedField &field);

    const TForm1 &m_form;
    QList<CheckedField> m_fields;
    QCheckBox *m_privateIndividual = nullptr;
    TDateTimePicker *m_birthDate = nullptr;
    QDate m_initialBirthDate;
    QWidget *m_taxNumber = nullptr;
    FieldMarks m_marks;
};
