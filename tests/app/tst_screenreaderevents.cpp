#include "app/tform1.h"
#include "common/regionalsettings.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tlmdfill.h"
#include "tests/support/accessibilityevents.h"

#include <QAccessible>
#include <QLabel>
#include <QTest>
#include <memory>

// What a screen reader hears while the declaration is filled in: the events Qt's accessibility
// bridge passes on. Run under withscreenreader.sh, which provides the bridge.
class TestScreenReaderEvents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void maskedFieldAnnouncesTextCaretAndSelection();
    void dateFieldAnnouncesItsNewText();
    void changedResultsAreAnnouncedWithTheirCaptions();
    void sectionHeaderAnnouncesItsNewCaption();

private:
    template<typename T>
    T *field(const char *name) const
    {
        return m_form->field<T>(QString::fromLatin1(name));
    }

    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<AccessibilityEvents> m_events;
};

void TestScreenReaderEvents::initTestCase()
{
    Regional::instance().setSettings(RegionalSettings()); // a Hungarian system's: ",", " ", "yyyy.MM.dd."
    // The bridge wakes up once it has asked the accessibility bus whether a screen reader runs.
    QWidget probe;
    probe.show();
    QTest::qWait(0);
    for (int waited = 0; waited < 5000 && !QAccessible::isActive(); waited += 50)
        QTest::qWait(50);
    if (!QAccessible::isActive())
        QSKIP("No accessibility bridge with a screen reader (run through withscreenreader.sh under X)");
}

void TestScreenReaderEvents::init()
{
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_events = std::make_unique<AccessibilityEvents>();
}

void TestScreenReaderEvents::cleanup()
{
    m_events.reset();
    m_form.reset();
}

void TestScreenReaderEvents::maskedFieldAnnouncesTextCaretAndSelection()
{
    auto *taxNumber = field<TLMDMaskEdit>("LMDMaskEdit2");
    QTest::keyClick(taxNumber, Qt::Key_7);

    const auto typed = m_events->of(taxNumber, QAccessible::TextUpdated);
    QCOMPARE(typed.size(), 1);
    QCOMPARE(typed.first().position, 0);
    QCOMPARE(typed.first().removed, QStringLiteral("*"));
    QCOMPARE(typed.first().inserted, QStringLiteral("7"));
    const auto moved = m_events->of(taxNumber, QAccessible::TextCaretMoved);
    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.first().position, 1);

    // A digit the mask refuses changes nothing, and nothing is announced.
    m_events->clear();
    QTest::keyClick(taxNumber, Qt::Key_A);
    QVERIFY(m_events->of(taxNumber, QAccessible::TextUpdated).isEmpty());
    QVERIFY(m_events->of(taxNumber, QAccessible::TextCaretMoved).isEmpty());

    QTest::keyClick(taxNumber, Qt::Key_A, Qt::ControlModifier);
    const auto selected = m_events->of(taxNumber, QAccessible::TextSelectionChanged);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().selectionStart, 0);
    QCOMPARE(selected.first().selectionEnd, 13);

    // A saved filling loaded into the field: the reader hears the part that changed.
    m_events->clear();
    taxNumber->setText(QStringLiteral("72345678-9-01"));
    const auto loaded = m_events->of(taxNumber, QAccessible::TextUpdated);
    QCOMPARE(loaded.size(), 1);
    QCOMPARE(loaded.first().position, 1);
    QCOMPARE(loaded.first().removed, QStringLiteral("*******-*-**"));
    QCOMPARE(loaded.first().inserted, QStringLiteral("2345678-9-01"));
}

void TestScreenReaderEvents::dateFieldAnnouncesItsNewText()
{
    auto *date = field<TDateTimePicker>("DateTimePicker3");
    date->setDate(QDate(2011, 1, 1));
    const auto changed = m_events->of(date, QAccessible::TextUpdated);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().removed, QStringLiteral("2010.01.01."));
    QCOMPARE(changed.first().inserted, QStringLiteral("2011.01.01."));
}

void TestScreenReaderEvents::changedResultsAreAnnouncedWithTheirCaptions()
{
    field<TPBNumEdit>("PBNumEdit2")->setText(QStringLiteral("10"));
    m_form->PBNumEdit5Exit();
    const QList<QPair<const char *, QString>> announced{
        {"Label29", QStringLiteral("Adóalapra jutó adó összege: 21000 Ft.")},
        {"Label9", QStringLiteral("Adófizetési kötelezettség: 21000 Ft.")},
        {"Label23", QStringLiteral("Különbözet: 21000 Ft.")},
    };
    for (const auto &[result, name] : announced) {
        const auto events = m_events->of(field<QLabel>(result), QAccessible::NameChanged);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events.first().name, name);
    }

    // Only a result that changes is announced again.
    m_events->clear();
    field<TPBNumEdit>("PBNumEdit7")->setText(QStringLiteral("1000"));
    m_form->PBNumEdit5Exit();
    const auto difference = m_events->of(field<QLabel>("Label23"), QAccessible::NameChanged);
    QCOMPARE(difference.size(), 1);
    QCOMPARE(difference.first().name, QStringLiteral("Különbözet: 20000 Ft."));
    QVERIFY(m_events->of(field<QLabel>("Label29"), QAccessible::NameChanged).isEmpty());
    QVERIFY(m_events->of(field<QLabel>("Label9"), QAccessible::NameChanged).isEmpty());
}

// Read as a heading, a header's caption is its name: a new caption is a new name, once.
void TestScreenReaderEvents::sectionHeaderAnnouncesItsNewCaption()
{
    auto *header = field<TLMDFill>("LMDFill2");
    header->setCaption(QStringLiteral("    II. ADÓALAP"));
    header->setCaption(QStringLiteral("    II. ADÓALAP"));
    const auto renamed = m_events->of(header, QAccessible::NameChanged);
    QCOMPARE(renamed.size(), 1);
    QCOMPARE(renamed.first().name, QStringLiteral("II. ADÓALAP"));
}

QTEST_MAIN(TestScreenReaderEvents)
#include "tst_screenreaderevents.moc"
