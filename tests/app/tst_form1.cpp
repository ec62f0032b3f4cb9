#include "app/application.h"
#include "app/formscrollarea.h"
#include "app/tform1.h"
#include "common/regionalsettings.h"
#include "form/catalogue.h"
#include "form/widgets/tlmdfill.h"
#include "form/widgets/readabletext.h"
#include "form/widgets/tlmdradiogroup.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

// Counts the repaints a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

bool isActive(const TLMDFill *fill)
{
    return fill->gradientStartColor() == QColor(0xFB, 0xE6, 0x94) && fill->gradientEndColor() == QColor(0xEE, 0x95, 0x15);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowAsCreated();
    void headersAsCreated();
    void componentsInOrderAndByName();
    void menuCommands();
    void menuCommandsByAccessKey_data();
    void menuCommandsByAccessKey();
    void firstFocusGoesToTheReasonGroup();
    void tabOrderCycle();
    void tabOrderFollowsTheFieldRules();
    void highlightingFollowsTheSection();
    void highlightingRedrawsOnlyOnChange();
    void wheelScrollsInSteps();
    void wheelNeverChangesAField();
    void pageKeysScrollFromATextField();
    void focusScrollsTheFieldIntoView();
    void noHorizontalScrolling();
    void kilepesEndsTheEventLoopWithZero();
    void insistingWindowManagerIsNotAskedForever();
    void regionalSettingsAreReadAgainOnLocaleChange();
    void textStandsOutUnderADarkTheme();

private:
    QString focusedField() const;
    TLMDFill *fill(const char *name) const { return m_form->field<TLMDFill>(QString::fromLatin1(name)); }
    void sendWheel(QWidget *target, int rotation);

    std::unique_ptr<TForm1> m_form;
};

void TestForm1::init()
{
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestForm1::cleanup()
{
    m_form.reset();
}

QString TestForm1::focusedField() const
{
    for (QWidget *widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        for (const Component &component : m_form->components()) {
            if (component.object == widget)
                return component.name;
        }
    }
    return QString();
}

void TestForm1::sendWheel(QWidget *target, int rotation)
{
    const QPointF position = QPointF(target->width() / 2, target->height() / 2);
    QWheelEvent event(position, target->mapToGlobal(position), QPoint(), QPoint(0, rotation), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void TestForm1::windowAsCreated()
{
    QCOMPARE(m_form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Elektronikus nyomtatvány - Kerekrév Polgármesteri Hivatal"));
    const Qt::WindowFlags flags = m_form->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QTRY_COMPARE(m_form->frameGeometry(), m_form->screen()->availableGeometry());
    QCOMPARE(m_form->scrollArea()->widget()->palette().color(QPalette::Window), QColor(0xC5, 0xB6, 0x98));
    QCOMPARE(m_form->scrollArea()->widget()->height(), scrollingExtent);

    for (const char *label : {"Label29", "Label9", "Label23"}) {
        auto *result = m_form->field<QLabel>(QString::fromLatin1(label));
        QCOMPARE(result->text(), QStringLiteral("0"));
        QVERIFY(result->alignment() & Qt::AlignRight);
        QVERIFY(result->font().bold());
    }
    QVERIFY(!m_form->field<QWidget>(QStringLiteral("Edit9"))->isEnabled());
    QVERIFY(!m_form->field<QWidget>(QStringLiteral("PBNumEdit6"))->isEnabled());
    QCOMPARE(m_form->field<QDateTimeEdit>(QStringLiteral("DateTimePicker3"))->date(), QDate(2010, 1, 1));
    QCOMPARE(m_form->field<QDateTimeEdit>(QStringLiteral("DateTimePicker4"))->date(), QDate(2010, 12, 31));
    QCOMPARE(m_form->field<QDateTimeEdit>(QStringLiteral("DateTimePicker6"))->date(), QDate(2011, 2, 2));
    QCOMPARE(m_form->field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7"))->itemIndex(), 0);
    QVERIFY(m_form->field<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
}

void TestForm1::headersAsCreated()
{
    // Before the first activation: I and III active, II inactive.
    TForm1 created;
    const auto header = [&created](const char *name) { return created.field<TLMDFill>(QString::fromLatin1(name)); };
    QVERIFY(isActive(header("LMDFill1")));
    QVERIFY(!isActive(header("LMDFill2")));
    QCOMPARE(header("LMDFill2")->captionColor(), QColor(0x4F, 0x50, 0x45));
    QVERIFY(isActive(header("LMDFill3")));
    QCOMPARE(header("LMDFill3")->captionColor(), created.palette().color(QPalette::WindowText));
}

void TestForm1::componentsInOrderAndByName()
{
    const QList<Component> &components = m_form->components();
    QCOMPARE(components.size(), 110);
    int index = 0;
    for (const CatalogueRow &row : catalogue()) {
        QCOMPARE(components.at(index).name, QString::fromLatin1(row.name));
        QCOMPARE(components.at(index).kind, row.kind);
        if (components.at(index).object)
            QCOMPARE(components.at(index).object->objectName(), QString::fromLatin1(row.name));
        ++index;
    }
    QCOMPARE(m_form->component(QStringLiteral("edit2")), m_form->component(QStringLiteral("Edit2")));
    QCOMPARE(m_form->component(QStringLiteral("LMDMASKEDIT31"))->objectName(), QStringLiteral("LMDMaskEdit31"));
    QVERIFY(m_form->component(QStringLiteral("Label9")) != m_form->component(QStringLiteral("Label29")));
    QVERIFY(!m_form->component(QStringLiteral("Edit93")));
}

void TestForm1::menuCommands()
{
    auto *menu = m_form->field<QMenuBar>(QStringLiteral("AdvMainMenu1"));
    QVERIFY(menu);
    QStringList captions;
    for (QAction *action : menu->actions()) {
        captions << action->text();
        QVERIFY(!action->menu());
        QVERIFY(action->shortcut().isEmpty());
    }
    QCOMPARE(captions, QStringList({QStringLiteral("&Nyomtatás"), QStringLiteral("Ű&rlap mentése"),
                                    QStringLiteral("&Kitöltött űrlap betöltése"), QStringLiteral("K&ilépés")}));
}

void TestForm1::menuCommandsByAccessKey_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("key");
    QTest::newRow("Nyomtatás") << "Nyomtats1" << int(Qt::Key_N);
    QTest::newRow("Űrlap mentése") << "Kitltsmentse1" << int(Qt::Key_R);
    QTest::newRow("Kitöltött űrlap betöltése") << "Kitltttrlapbetltse1" << int(Qt::Key_K);
    QTest::newRow("Kilépés") << "Kilps1" << int(Qt::Key_I);
}

// Alt with the underlined letter runs the command from any field, without the mouse.
void TestForm1::menuCommandsByAccessKey()
{
    QFETCH(QString, item);
    QFETCH(int, key);
    auto *action = m_form->field<QAction>(item);
    // The handlers open dialogs or end the program; here only the choice of the command counts.
    QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
    int triggered = 0;
    connect(action, &QAction::triggered, this, [&triggered] { ++triggered; });
    auto *field = m_form->field<QWidget>(QStringLiteral("Edit2"));
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(triggered, 1);
}

void TestForm1::firstFocusGoesToTheReasonGroup()
{
    QCOMPARE(focusedField(), QStringLiteral("LMDRadioGroup7"));
    // Entering section I leaves its header the only active one.
    QVERIFY(isActive(fill("LMDFill1")));
    QVERIFY(!isActive(fill("LMDFill2")));
    QVERIFY(!isActive(fill("LMDFill3")));
}

void TestForm1::tabOrderCycle()
{
    QStringList expected{"LMDRadioGroup7", "DateTimePicker3", "DateTimePicker4", "PBNumEdit5", "PBNumEdit2",
                         "PBNumEdit4", "PBNumEdit1", "PBNumEdit7", "CheckBox1", "Edit2", "Edit3", "DateTimePicker6",
                         "Edit7", "LMDMaskEdit3", "LMDMaskEdit2", "LMDMaskEdit1", "LMDMaskEdit31", "LMDMaskEdit32"};
    for (int edit = 75; edit <= 82; ++edit)
        expected << QStringLiteral("Edit%1").arg(edit);
    expected << "LMDMaskEdit33";
    for (int edit = 83; edit <= 92; ++edit)
        expected << QStringLiteral("Edit%1").arg(edit);
    expected << "LMDRadioGroup7";

    QStringList visited{focusedField()};
    for (int step = 1; step < expected.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusedField();
    }
    QCOMPARE(visited, expected);
}

void TestForm1::tabOrderFollowsTheFieldRules()
{
    auto *group = m_form->field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7"));
    QTest::mouseClick(group->findChildren<QRadioButton *>().at(2), Qt::LeftButton);
    QVERIFY(m_form->field<QWidget>(QStringLiteral("Edit9"))->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusedField(), QStringLiteral("Edit9"));

    auto *privateIndividual = m_form->field<QCheckBox>(QStringLiteral("CheckBox1"));
    privateIndividual->setFocus();
    QTest::keyClick(privateIndividual, Qt::Key_Space);
    QVERIFY(!privateIndividual->isChecked());
    for (const char *name : {"Edit3", "Edit7", "DateTimePicker6"})
        QVERIFY(!m_form->field<QWidget>(QString::fromLatin1(name))->isEnabled());
    m_form->field<QWidget>(QStringLiteral("Edit2"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusedField(), QStringLiteral("LMDMaskEdit3"));
}

void TestForm1::highlightingFollowsTheSection()
{
    QTest::mouseClick(m_form->field<QWidget>(QStringLiteral("Edit2")), Qt::LeftButton);
    QVERIFY(!isActive(fill("LMDFill1")));
    QVERIFY(!isActive(fill("LMDFill2")));
    QVERIFY(isActive(fill("LMDFill3")));

    m_form->field<QWidget>(QStringLiteral("DateTimePicker4"))->setFocus(Qt::MouseFocusReason);
    QVERIFY(isActive(fill("LMDFill1")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusedField(), QStringLiteral("PBNumEdit5"));
    QVERIFY(!isActive(fill("LMDFill1")));
    QVERIFY(isActive(fill("LMDFill2")));
    QVERIFY(!isActive(fill("LMDFill3")));
    QCOMPARE(fill("LMDFill1")->captionColor(), QColor(0x4F, 0x50, 0x45));
    QCOMPARE(fill("LMDFill2")->captionColor(), QColor(Qt::black));
}

void TestForm1::highlightingRedrawsOnlyOnChange()
{
    QTest::mouseClick(m_form->field<QWidget>(QStringLiteral("Edit2")), Qt::LeftButton);
    QCoreApplication::processEvents();
    PaintCounter counter;
    for (const char *name : {"LMDFill1", "LMDFill2", "LMDFill3"})
        fill(name)->installEventFilter(&counter);

    // Within the section nothing changes, and re-entering the active section repaints nothing.
    QTest::mouseClick(m_form->field<QWidget>(QStringLiteral("Edit91")), Qt::LeftButton);
    m_form->Panel3Enter();
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    QVERIFY(isActive(fill("LMDFill3")));

    m_form->Panel4Enter();
    QCoreApplication::processEvents();
    QVERIFY(counter.paints > 0);
}

void TestForm1::wheelScrollsInSteps()
{
    QScrollBar *bar = m_form->scrollArea()->verticalScrollBar();
    QVERIFY(bar->maximum() > 100);
    QWidget *target = m_form->field<QWidget>(QStringLiteral("Label4"));

    sendWheel(target, 120);
    QCOMPARE(bar->value(), 0); // clamped at the top
    sendWheel(target, -240);
    QCOMPARE(bar->value(), 40);
    sendWheel(target, -60);
    QCOMPARE(bar->value(), 40);
    sendWheel(target, -60);
    QCOMPARE(bar->value(), 60);
    sendWheel(target, -100);
    QCOMPARE(bar->value(), 60);
    sendWheel(target, 20); // turning back only shrinks what is left over: -100 + 20
    QCOMPARE(bar->value(), 60);

    bar->setValue(bar->maximum() - 5);
    sendWheel(target, -120);
    QCOMPARE(bar->value(), bar->maximum());
}

// What the wheel and the scroll bar do, the page keys do from the keyboard: a text field passes them on.
void TestForm1::pageKeysScrollFromATextField()
{
    QScrollBar *bar = m_form->scrollArea()->verticalScrollBar();
    auto *name = m_form->field<QLineEdit>(QStringLiteral("Edit2"));
    name->setFocus(Qt::TabFocusReason);
    const int shown = bar->value();
    QTest::keyClick(name, Qt::Key_PageDown);
    QVERIFY(bar->value() > shown);
    QCOMPARE(bar->value(), qMin(shown + bar->pageStep(), bar->maximum()));
    QTest::keyClick(name, Qt::Key_PageUp);
    QTest::keyClick(name, Qt::Key_PageUp);
    QCOMPARE(bar->value(), qMax(shown - bar->pageStep(), 0));
    QCOMPARE(name->text(), QString());
    QVERIFY(name->hasFocus());
}

void TestForm1::wheelNeverChangesAField()
{
    auto *picker = m_form->field<QDateTimeEdit>(QStringLiteral("DateTimePicker3"));
    picker->setFocus();
    const int before = m_form->scrollArea()->verticalScrollBar()->value();
    sendWheel(picker, -120);
    QCOMPARE(picker->date(), QDate(2010, 1, 1));
    QCOMPARE(m_form->scrollArea()->verticalScrollBar()->value(), before + 20);
}

void TestForm1::focusScrollsTheFieldIntoView()
{
    FormScrollArea *area = m_form->scrollArea();
    QScrollBar *bar = area->verticalScrollBar();
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->singleStep(), 8);
    QCOMPARE(bar->pageStep(), area->viewport()->height() * 9 / 10);

    auto *phone = m_form->field<QWidget>(QStringLiteral("Edit90"));
    m_form->field<QWidget>(QStringLiteral("Edit89"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), phone);
    const int bottom = phone->mapTo(area->widget(), QPoint(0, phone->height())).y();
    QCOMPARE(bar->value(), bottom - area->viewport()->height());

    // Back to the top field: its top edge is brought to the top of the view.
    auto *group = m_form->field<QWidget>(QStringLiteral("LMDRadioGroup7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focusedField(), QStringLiteral("LMDRadioGroup7"));
    QCOMPARE(bar->value(), group->mapTo(area->widget(), QPoint(0, 0)).y());
}

void TestForm1::noHorizontalScrolling()
{
    m_form->setFixedWidth(500);
    QCoreApplication::processEvents();
    m_form->field<QWidget>(QStringLiteral("Edit75"))->setFocus();
    QCOMPARE(m_form->scrollArea()->horizontalScrollBar()->value(), 0);
    QCOMPARE(m_form->scrollArea()->horizontalScrollBar()->maximum(), 0);
}

void TestForm1::kilepesEndsTheEventLoopWithZero()
{
    QTimer::singleShot(0, m_form.get(), [this] { m_form->field<QAction>(QStringLiteral("Kilps1"))->trigger(); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
}

void TestForm1::regionalSettingsAreReadAgainOnLocaleChange()
{
    RegionalSettings unusual;
    unusual.decimalSeparator = u'#';
    unusual.thousandSeparator = u'~';
    unusual.shortDateFormat = QStringLiteral("dd|MM|yyyy");
    Regional::instance().setSettings(unusual);
    auto *picker = m_form->field<QDateTimeEdit>(QStringLiteral("DateTimePicker3"));
    QCOMPARE(picker->text(), QStringLiteral("01|01|2010"));

    // The platform reports a change of the system's settings to the application, which passes it on.
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &change);
    const RegionalSettings system = RegionalSettings::fromLocale(QLocale::system());
    QVERIFY(Regional::settings() == system);
    QCOMPARE(picker->displayFormat(), system.shortDateFormat);
}

// Stands in for a window manager that puts the window back elsewhere after every move or resize.
class InsistingWindowManager : public QObject
{
public:
    explicit InsistingWindowManager(QWidget *window) : m_window(window) { window->installEventFilter(this); }

    int answers = 0;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && answers < 1000) {
            ++answers;
            QTimer::singleShot(0, m_window, [this] { m_window->setGeometry(100, 100, 400, 300); });
        }
        return false;
    }

private:
    QWidget *m_window;
};

void TestForm1::insistingWindowManagerIsNotAskedForever()
{
    InsistingWindowManager windowManager(m_form.get());
    m_form->move(5, 5);
    QTest::qWait(300);
    const int answers = windowManager.answers;
    QVERIFY2(answers < 20, qPrintable(QString::number(answers)));
    QTest::qWait(100);
    QCOMPARE(windowManager.answers, answers);
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

// A dark desktop theme writes light text on dark faces; the form's own colours stay light.
void TestForm1::textStandsOutUnderADarkTheme()
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        dark.setColor(role, QColor(0x32, 0x32, 0x32));
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, QColor(0xF0, 0xF0, 0xF0));
    const auto restore = qScopeGuard([&light] { QApplication::setPalette(light); });
    const QColor outerPanel(0xEA, 0xE5, 0xCF);
    const auto color = [](const TForm1 &form, const char *name, QPalette::ColorRole role) {
        return form.field<QWidget>(QString::fromLatin1(name))->palette().color(role);
    };
    // On the outer panel the title stays black as the form names it, the form number turns readable;
    // inside the sections, on the system's faces, the text keeps the system's colour.
    const auto verifyReadable = [&](const TForm1 &form) {
        QCOMPARE(color(form, "Panel1", QPalette::Window), outerPanel);
        QCOMPARE(color(form, "RTFLabel7", QPalette::WindowText), QColor(Qt::black));
        QVERIFY(contrastRatio(color(form, "Label4", QPalette::WindowText), outerPanel) >= 4.5);
        QCOMPARE(color(form, "Panel2", QPalette::Window), dark.color(QPalette::Button));
        QCOMPARE(color(form, "Label13", QPalette::WindowText), dark.color(QPalette::WindowText));
    };

    QApplication::setPalette(dark);
    TForm1 startedDark;
    verifyReadable(startedDark);
    const auto *header = startedDark.field<TLMDFill>(QStringLiteral("LMDFill3"));
    for (const QColor &band : {header->gradientStartColor(), header->gradientEndColor()})
        QVERIFY(contrastRatio(header->captionColor(), band) >= 4.5);

    // The window that was open when the theme turned dark follows it, and turns back with it. The
    // change reaches the widgets through the event loop.
    QTRY_COMPARE(color(*m_form, "Panel2", QPalette::Window), dark.color(QPalette::Button));
    verifyReadable(*m_form);
    QApplication::setPalette(light);
    QTRY_COMPARE(color(*m_form, "Panel2", QPalette::Window), light.color(QPalette::Button));
    QCOMPARE(color(*m_form, "Label4", QPalette::WindowText), light.color(QPalette::WindowText));
}

#include "tst_form1.moc"
