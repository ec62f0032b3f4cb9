#include "app/tform1.h"
#include "common/regionalsettings.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tlmdradiogroup.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

// The declaration window as a screen reader meets it, through Qt's accessibility interfaces in process.
class TestAccessibleTree : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void everyFieldHasANameAndShowsItsValue();
    void namesComeFromTheLabelsBeside_data();
    void namesComeFromTheLabelsBeside();
    void valuesFollowTyping_data();
    void valuesFollowTyping();
    void resultsAreReadWithTheirCaptions();
    void sectionsAreNamedAfterTheirHeaders_data();
    void sectionsAreNamedAfterTheirHeaders();

private:
    QAccessibleInterface *accessible(const QString &name) const;

    std::unique_ptr<TForm1> m_form;
};

namespace {

// The text a field shows, as a sighted user reads it.
QString shownText(QObject *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->text();
    if (auto *masked = qobject_cast<TLMDMaskEdit *>(field))
        return masked->text();
    if (auto *date = qobject_cast<TDateTimePicker *>(field))
        return date->text();
    return QString();
}

// The checked state of each option as the reader gets it, and as the window holds it.
QList<bool> readOptions(QAccessibleInterface *group)
{
    QList<bool> checked;
    for (int index = 0; index < group->childCount(); ++index) {
        QAccessibleInterface *child = group->child(index);
        if (child->role() == QAccessible::RadioButton)
            checked.append(child->state().checked);
    }
    return checked;
}

// Types as a keyboard does; characters beyond ASCII have no key code of their own and arrive as text.
void type(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(widget, char(character.unicode()));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

void TestAccessibleTree::init()
{
    Regional::instance().setSettings(RegionalSettings()); // a Hungarian system's: ",", " ", "yyyy.MM.dd."
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestAccessibleTree::cleanup()
{
    m_form.reset();
}

QAccessibleInterface *TestAccessibleTree::accessible(const QString &name) const
{
    return QAccessible::queryAccessibleInterface(m_form->component(name));
}

void TestAccessibleTree::everyFieldHasANameAndShowsItsValue()
{
    int fields = 0;
    for (const Component &component : m_form->components()) {
        if (!isField(component.kind))
            continue;
        ++fields;
        const QByteArray what = component.name.toLatin1();
        QAccessibleInterface *field = QAccessible::queryAccessibleInterface(component.object);
        QVERIFY2(field && field->isValid(), what);
        QVERIFY2(!field->text(QAccessible::Name).trimmed().isEmpty(), what);

        if (auto *box = qobject_cast<QCheckBox *>(component.object)) {
            QCOMPARE(field->role(), QAccessible::CheckBox);
            QVERIFY2(field->state().checkable, what);
            QCOMPARE(field->state().checked, box->isChecked());
        } else if (auto *group = qobject_cast<TLMDRadioGroup *>(component.object)) {
            QList<bool> expected(group->items().size(), false);
            expected[group->itemIndex()] = true;
            QCOMPARE(readOptions(field), expected);
        } else {
            QAccessibleTextInterface *text = field->textInterface();
            QVERIFY2(text, what);
            const QString shown = shownText(component.object);
            QVERIFY2(!shown.isEmpty() || component.kind == ComponentKind::TEdit, what);
            QCOMPARE(text->text(0, text->characterCount()), shown);
            QCOMPARE(field->text(QAccessible::Value), shown);
            // A reader that finds a numeric value announces it instead of the text; a date is no number.
            if (component.kind == ComponentKind::TDateTimePicker)
                QVERIFY2(!field->valueInterface(), what);
        }
    }
    QCOMPARE(fields, 39);
}

void TestAccessibleTree::namesComeFromTheLabelsBeside_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("label");

    QTest::newRow("text field") << "Edit2" << "Adóalany neve (cégneve):" << "" << "Label1";
    QTest::newRow("masked field") << "LMDMaskEdit2" << "Adószáma:" << "" << "Label11";
    QTest::newRow("disabled field") << "Edit9" << "Egyéb:" << "" << "Label13";
    QTest::newRow("headcount with its unit")
        << "PBNumEdit5" << "Az adózó által foglalkoztatottak korrigált átlagos statisztikai állományi létszáma:"
        << "fő" << "Label20";
    QTest::newRow("wrapped label") << "PBNumEdit4"
                                   << "Kommunális beruházás miatt magánszemély által levonható kedvezmény összege "
                                      "(1995.évi XCVIII. tv. 10.§. (2) bek. alapján):"
                                   << "Ft." << "LMDLabel1";
    QTest::newRow("fixed rate") << "PBNumEdit6" << "Adóalapra jutó adó összege:" << "Ft./fő" << "Label5";
    QTest::newRow("first day of the period") << "DateTimePicker3" << "Bevallott időszak:" << "naptól" << "Label17";
    QTest::newRow("last day of the period") << "DateTimePicker4" << "Bevallott időszak:" << "napig" << "";
    QTest::newRow("seat postcode") << "LMDMaskEdit32" << "Székhelye, lakóhelye: irányítószám" << "" << "Label140";
    QTest::newRow("seat town") << "Edit75" << "Székhelye, lakóhelye: város/község" << "" << "Label132";
    QTest::newRow("postal door") << "Edit90" << "Levelezési címe: ajtó" << "" << "Label40";
    QTest::newRow("check box by its caption") << "CheckBox1" << "Az adóalany magánszemély?" << "" << "";
    QTest::newRow("option group by its caption") << "LMDRadioGroup7" << "Benyújtásának oka:" << "" << "";
}

void TestAccessibleTree::namesComeFromTheLabelsBeside()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(QString, label);
    QAccessibleInterface *accessibleField = accessible(field);
    QCOMPARE(accessibleField->text(QAccessible::Name), name);
    QCOMPARE(accessibleField->text(QAccessible::Description), description);
    if (label.isEmpty())
        return;
    // The label is the field's buddy: readers find the "labelled by" relation, and no access key
    // appears on screen.
    auto *labelWidget = m_form->field<QLabel>(label);
    QCOMPARE(labelWidget->buddy(), m_form->field<QWidget>(field));
    QVERIFY(!labelWidget->text().contains(u'&'));
    bool labelled = false;
    for (const auto &relation : accessibleField->relations(QAccessible::Label))
        labelled = labelled || relation.first->object() == labelWidget;
    QVERIFY(labelled);
}

void TestAccessibleTree::valuesFollowTyping_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("value");

    QTest::newRow("name") << "Edit2"
                          << "Kovács és Társa Kft."
                          << "Kovács és Társa Kft.";
    QTest::newRow("tax number fills its blanks") << "LMDMaskEdit2" << "123456789" << "12345678-*-**";
    QTest::newRow("postcode") << "LMDMaskEdit33" << "1051" << "1051";
    QTest::newRow("headcount") << "PBNumEdit5" << "12" << "12";
    QTest::newRow("date as shown") << "DateTimePicker6" << "19800315" << "1980.03.15.";
}

void TestAccessibleTree::valuesFollowTyping()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, value);
    auto *widget = m_form->field<QWidget>(field);
    widget->setFocus(Qt::TabFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->selectAll();
    type(widget, typed);

    QAccessibleInterface *accessibleField = accessible(field);
    QCOMPARE(accessibleField->text(QAccessible::Value), value);
    QAccessibleTextInterface *text = accessibleField->textInterface();
    QCOMPARE(text->text(0, text->characterCount()), value);
    QVERIFY(accessibleField->state().focused);
}

void TestAccessibleTree::resultsAreReadWithTheirCaptions()
{
    const auto resultName = [this](const char *result) {
        return accessible(QString::fromLatin1(result))->text(QAccessible::Name);
    };
    QCOMPARE(resultName("Label29"), QStringLiteral("Adóalapra jutó adó összege: 0 Ft."));
    QCOMPARE(resultName("Label9"), QStringLiteral("Adófizetési kötelezettség: 0 Ft."));
    QCOMPARE(resultName("Label23"), QStringLiteral("Különbözet: 0 Ft."));

    const auto enter = [this](const char *name, const char *text) {
        auto *edit = m_form->field<QLineEdit>(QString::fromLatin1(name));
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::keyClick(edit, Qt::Key_Tab);
    };
    enter("PBNumEdit2", "10");
    enter("PBNumEdit1", "1000");
    QCOMPARE(resultName("Label29"), QStringLiteral("Adóalapra jutó adó összege: 21000 Ft."));
    QCOMPARE(resultName("Label9"), QStringLiteral("Adófizetési kötelezettség: 21000 Ft."));
    QCOMPARE(resultName("Label23"), QStringLiteral("Különbözet: 20000 Ft."));
    // The reader's name is the one a sighted user reads along the line.
    QCOMPARE(m_form->field<QLabel>(QStringLiteral("Label23"))->text(), QStringLiteral("20000"));
}

void TestAccessibleTree::sectionsAreNamedAfterTheirHeaders_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("name");

    QTest::newRow("section I") << "Panel2" << "LMDFill1" << "I. BEVALLÁS";
    QTest::newRow("section II") << "Panel4" << "LMDFill2" << "II. ADÓALAP, ADÓ";
    QTest::newRow("section III") << "Panel3" << "LMDFill3" << "III. ADÓALANY";
    QTest::newRow("the whole form, unnamed") << "Panel1" << "" << "";
}

void TestAccessibleTree::sectionsAreNamedAfterTheirHeaders()
{
    QFETCH(QString, panel);
    QFETCH(QString, header);
    QFETCH(QString, name);
    QAccessibleInterface *section = accessible(panel);
    QCOMPARE(section->role(), QAccessible::Grouping);
    QCOMPARE(section->text(QAccessible::Name), name);
    if (header.isEmpty())
        return;
    QAccessibleInterface *heading = accessible(header);
    QCOMPARE(heading->role(), QAccessible::Heading);
    QCOMPARE(heading->text(QAccessible::Name), name);
}

QTEST_MAIN(TestAccessibleTree)
#include "tst_accessibletree.moc"
