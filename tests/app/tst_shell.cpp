#include "app/accesskeys.h"
#include "app/activationhandback.h"
#include "app/errorbox.h"
#include "app/programtitle.h"
#include "app/wheelaccumulator.h"
#include "tests/support/privatexserver.h"
#include "tests/support/whenmodalopens.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class TestShell : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programTitleFromTheExecutable_data();
    void programTitleFromTheExecutable();
    void errorBoxAppendsAFullStop_data();
    void errorBoxAppendsAFullStop();
    void errorBoxShowsPlainText_data();
    void errorBoxShowsPlainText();
    void menuAccessKeys();
    void wheelCountsWholeNotches_data();
    void wheelCountsWholeNotches();
    void onlyTheVerticalWheelRotates_data();
    void onlyTheVerticalWheelRotates();
    void closingBoxesHandTheActivationBack();
    void closingBoxesHandTheActivationBackWithoutAWindowManager();
};

void TestShell::programTitleFromTheExecutable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("our executable") << "/opt/krv/krv11007" << "krv11007";
    QTest::newRow("upper case with extension") << "C:/Program/KRV11007.EXE" << "Krv11007";
    QTest::newRow("from the first full stop") << "/x/Form.v2.bin" << "Form";
    QTest::newRow("accented") << "/x/ŰRLAP" << "Űrlap";
}

void TestShell::programTitleFromTheExecutable()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(programTitle(path), title);
}

void TestShell::errorBoxAppendsAFullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Integer overflow" << "Integer overflow.";
    QTest::newRow("quote") << "'1,5' is not a valid integer value" << "'1,5' is not a valid integer value.";
    QTest::newRow("full stop already") << "Done." << "Done.";
    QTest::newRow("closing parenthesis is below the full stop") << "List index out of bounds (-1)"
                                                                << "List index out of bounds (-1)";
    QTest::newRow("hyphen is below the full stop") << "a -" << "a -";
    QTest::newRow("slash is above the full stop") << "a/" << "a/.";
    QTest::newRow("accented letter") << "Hibás jelszó" << "Hibás jelszó.";
    QTest::newRow("empty") << "" << "";
}

void TestShell::errorBoxAppendsAFullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(errorBoxText(message), shown);
}

void TestShell::errorBoxShowsPlainText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    // A crafted saved file showed a large green "saved successfully".
    const QString markup = QStringLiteral("'<h1 style=\"color:green\">Sikeres mentés</h1>' is not a valid date");
    QTest::newRow("markup is text") << markup << markup + u'.';
    // A numeric text of a million characters kept the window frozen in a box far wider than the screen.
    QTest::newRow("long unbroken run: its start and end")
        << u'\'' + QString(1000000, u'7') + QStringLiteral("' is not a valid integer value")
        << u'\'' + QString(39, u'7') + QStringLiteral("...") + QString(39, u'7')
               + QStringLiteral("' is not a valid integer value.");
    // The box wraps at spaces: a long message of short words, such as a path and the system's reason,
    // is shown whole.
    const QString pathMessage =
        QStringLiteral("Cannot create file \"/home/felhasznalo/.local/share/krv11007/KRVR11007.txt\". "
                       "No space left on device");
    QTest::newRow("long message of short words: whole") << pathMessage << pathMessage + u'.';
}

void TestShell::errorBoxShowsPlainText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    Qt::TextFormat format = Qt::RichText;
    QString text;
    whenModalOpens<QMessageBox>([&](QMessageBox *box) {
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            format = label->textFormat();
            text = label->text();
        }
        box->accept();
    });
    showDefaultErrorBox(message);
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(text, shown);
}

void TestShell::menuAccessKeys()
{
    const QStringList captions{QStringLiteral("Nyomtatás"), QStringLiteral("Űrlap mentése"),
                               QStringLiteral("Kitöltött űrlap betöltése"), QStringLiteral("Kilépés")};
    const QStringList expected{QStringLiteral("&Nyomtatás"), QStringLiteral("Ű&rlap mentése"),
                               QStringLiteral("&Kitöltött űrlap betöltése"), QStringLiteral("K&ilépés")};
    QCOMPARE(withAccessKeys(captions), expected);
    QCOMPARE(withAccessKeys({QStringLiteral("A&B"), QStringLiteral("ab")}),
             QStringList({QStringLiteral("&A&&B"), QStringLiteral("a&b")}));
}

void TestShell::wheelCountsWholeNotches_data()
{
    QTest::addColumn<QList<int>>("rotations");
    QTest::addColumn<QList<int>>("notches");
    QTest::newRow("two notches at once") << QList<int>{240} << QList<int>{2};
    QTest::newRow("two halves") << QList<int>{60, 60} << QList<int>{0, 1};
    QTest::newRow("less than a notch") << QList<int>{100} << QList<int>{0};
    QTest::newRow("downwards") << QList<int>{-120, -130, -110} << QList<int>{-1, -1, -1};
    QTest::newRow("back and forth cancels") << QList<int>{100, -100, 20} << QList<int>{0, 0, 0};
}

void TestShell::wheelCountsWholeNotches()
{
    QFETCH(QList<int>, rotations);
    QFETCH(QList<int>, notches);
    WheelAccumulator wheel;
    QList<int> performed;
    for (int rotation : rotations)
        performed << wheel.add(rotation);
    QCOMPARE(performed, notches);
}

void TestShell::onlyTheVerticalWheelRotates_data()
{
    QTest::addColumn<QPoint>("angleDelta");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("rotation");
    QTest::newRow("vertical") << QPoint(0, -120) << Qt::KeyboardModifiers() << -120;
    QTest::newRow("tilt") << QPoint(120, 0) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("tilt with Ctrl") << QPoint(-120, 0) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("diagonal") << QPoint(90, 30) << Qt::KeyboardModifiers() << 30;
    QTest::newRow("turned sideways by Shift") << QPoint(-120, 0) << Qt::KeyboardModifiers(Qt::ShiftModifier) << -120;
    QTest::newRow("turned sideways by Alt") << QPoint(60, 0) << Qt::KeyboardModifiers(Qt::AltModifier) << 60;
    QTest::newRow("Shift on the vertical wheel") << QPoint(0, 120) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 120;
}

void TestShell::onlyTheVerticalWheelRotates()
{
    QFETCH(QPoint, angleDelta);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, rotation);
    QCOMPARE(WheelAccumulator::verticalRotation(angleDelta, modifiers), rotation);
}

namespace {

// A field in its own window, shown and activated, with the hand-back watching the boxes over it.
struct FieldWatchedByHandBack
{
    FieldWatchedByHandBack()
    {
        qApp->installEventFilter(&handBack);
        field.show();
        field.activateWindow();
    }
    ~FieldWatchedByHandBack() { qApp->removeEventFilter(&handBack); }

    ActivationHandBack handBack;
    QLineEdit field;
};

// Each box is accepted once it is active, as the user would press Enter in it.
void acceptTwoBoxesInARow(QWidget *parent)
{
    for (const QString &text : {QStringLiteral("jelszó"), QStringLiteral("Hibás jelszó!")}) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("Információ"), text, QMessageBox::Ok, parent);
        QTimer::singleShot(0, &box, [&box] {
            (void)QTest::qWaitFor([&box] { return QApplication::activeWindow() == &box; }, 2000);
            box.accept();
        });
        box.exec();
    }
}

} // namespace

// Here, as under a window manager that hands nothing back, no window is active once a box has closed:
// the keys typed next would reach no field.
void TestShell::closingBoxesHandTheActivationBack()
{
    FieldWatchedByHandBack watched;
    QLineEdit &field = watched.field;
    QVERIFY(QTest::qWaitForWindowActive(&field));

    // A box that opens a second one: each hands the activation to what it covered.
    QMessageBox outer(QMessageBox::Critical, QStringLiteral("Hiba"), QStringLiteral("külső"), QMessageBox::Ok,
                      &field);
    QWidget *activeWithOuter = nullptr;
    QWidget *activeAfterInner = nullptr;
    QTimer::singleShot(0, &outer, [&] {
        (void)QTest::qWaitFor([&outer] { return QApplication::activeWindow() == &outer; }, 1000);
        activeWithOuter = QApplication::activeWindow();
        QMessageBox inner(QMessageBox::Critical, QStringLiteral("Hiba"), QStringLiteral("belső"), QMessageBox::Ok,
                          &outer);
        QTimer::singleShot(0, &inner, [&inner] {
            (void)QTest::qWaitFor([&inner] { return QApplication::activeWindow() == &inner; }, 1000);
            inner.accept();
        });
        inner.exec();
        (void)QTest::qWaitFor([] { return QApplication::activeWindow() != nullptr; }, 1000);
        activeAfterInner = QApplication::activeWindow();
        outer.accept();
    });
    outer.exec();
    QCOMPARE(activeWithOuter, static_cast<QWidget *>(&outer));
    QCOMPARE(activeAfterInner, static_cast<QWidget *>(&outer));
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&field));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(&field));

    // One box right after another, as a wrong password's message follows the password box: the second
    // opens before the window has taken the activation back.
    acceptTwoBoxesInARow(&field);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&field));
}

// On a real X server with nothing to hand the activation on, two boxes in a row, as a wrong password's
// message follows the password box. The test function runs again in a child on a private X server.
void TestShell::closingBoxesHandTheActivationBackWithoutAWindowManager()
{
    if (!PrivateXServer::isHosting()) {
        PrivateXServer server(PrivateXServer::WindowManager::None);
        if (!server.started())
            QSKIP(server.failure().constData());
        server.runCurrentFunction();
        return;
    }
    FieldWatchedByHandBack watched;
    QLineEdit &field = watched.field;
    QVERIFY(QTest::qWaitForWindowActive(&field));
    acceptTwoBoxesInARow(&field);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(&field));
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
