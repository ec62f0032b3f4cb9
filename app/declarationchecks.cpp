#include "app/declarationchecks.h"

#include "app/problembox.h"
#include "app/tform1.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/widgets/tdatetimepicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

namespace {

const QString privateIndividualName = QStringLiteral("CheckBox1");
const QString birthDateName = QStringLiteral("DateTimePicker6");

QString textOf(const QWidget *field)
{
    if (const auto *masked = qobject_cast<const TLMDMaskEdit *>(field))
        return masked->text();
    return qobject_cast<const QLineEdit *>(field)->text();
}

bool contains(const QWidget *outer, const QWidget *widget)
{
    return widget && (outer == widget || outer->isAncestorOf(widget));
}

} // namespace

DeclarationChecks::DeclarationChecks(const TForm1 &form)
    : m_form(form)
{
    for (const CatalogueRow &row : catalogue()) {
        const QString name = QString::fromLatin1(row.name);
        if (name == birthDateName)
            m_initialBirthDate = QDate(row.year, row.month, row.day);
        if (row.check.rule == CheckRule::None)
            continue;
        QWidget *widget = form.field<QWidget>(name);
        m_fields.append({widget, name, row.check});
        if (row.check.rule == CheckRule::TaxNumber)
            m_taxNumber = widget;
    }
    m_privateIndividual = form.field<QCheckBox>(privateIndividualName);
    m_birthDate = form.field<TDateTimePicker>(birthDateName);

    for (const CheckedField &field : std::as_const(m_fields)) {
        const auto edited = [this, field] { textEdited(field); };
        if (auto *masked = qobject_cast<TLMDMaskEdit *>(field.widget))
            connect(masked, &TLMDMaskEdit::textChanged, this, edited);
        else
            connect(qobject_cast<QLineEdit *>(field.widget), &QLineEdit::textChanged, this, edited);
    }
    connect(m_privateIndividual, &QCheckBox::toggled, this, &DeclarationChecks::refresh);
    connect(qApp, &QApplication::focusChanged, this, &DeclarationChecks::focusMoved);
}

// The date field always holds a date; while it shows its initial date, nobody has given one.
CheckContext DeclarationChecks::context() const
{
    CheckContext context;
    if (m_privateIndividual->isChecked() && m_birthDate->date() != m_initialBirthDate)
        context.birthDate = m_birthDate->date();
    context.taxNumber = textOf(m_taxNumber);
    return context;
}

QList<CheckedValue> DeclarationChecks::values() const
{
    QList<CheckedValue> values;
    for (const CheckedField &field : m_fields)
        values.append({field.name, field.check, textOf(field.widget)});
    return values;
}

void DeclarationChecks::refresh()
{
    const CheckContext current = context();
    for (const CheckedField &field : std::as_const(m_fields)) {
        const CheckResult result = checkField(field.check.rule, textOf(field.widget), current);
        if (result.verdict == Verdict::Invalid)
            m_marks.mark(field.widget, result.reason);
        else
            m_marks.unmark(field.widget);
    }
}

// Leaving a checked field, or the birth date that the tax identification number is held against,
// checks again; so does the private-individual check box.
void DeclarationChecks::focusMoved(QWidget *old, QWidget *now)
{
    const auto left = [old, now](const QWidget *watched) { return contains(watched, old) && !contains(watched, now); };
    if (left(m_birthDate)
        || std::any_of(m_fields.cbegin(), m_fields.cend(), [&left](const CheckedField &field) {
               return left(field.widget);
           }))
        refresh();
}

// While the user corrects a marked field the mark goes as soon as the value is valid or empty; a new
// mark waits until the field is left.
void DeclarationChecks::textEdited(const CheckedField &field)
{
    if (!m_marks.isMarked(field.widget))
        return;
    const Verdict verdict = checkField(field.check.rule, textOf(field.widget), context()).verdict;
    if (verdict == Verdict::Valid || verdict == Verdict::Empty)
        m_marks.unmark(field.widget);
}

bool DeclarationChecks::confirmPrinting(const QList<Problem> &pageProblems)
{
    refresh();
    const QList<Problem> problems = problemsOf(values(), context()) + pageProblems;
    if (problems.isEmpty())
        return true;
    QStringList lines;
    for (const Problem &problem : problems)
        lines.append(problem.line);
    if (askToPrintDespite(lines))
        return true;
    m_form.field<QWidget>(problems.first().name)->setFocus(Qt::OtherFocusReason);
    return false;
}
