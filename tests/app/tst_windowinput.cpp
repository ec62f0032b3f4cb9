#include "app/application.h"
#include "app/formscrollarea.h"
#include "app/tform1.h"
#include "common/failure.h"
#include "common/regionalsettings.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "storage/cipher/lbrijndael.h"
#include "storage/fillingformat.h"
#include "tests/support/privatexserver.h"
#include "tests/support/whenmodalopens.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <memory>

// What reaches the declaration window from the clipboard, the mouse and the wheel, sent as the
// window system sends it, and what the user sees afterwards.
class TestWindowInput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void lineBreaksReachingATextFieldBecomeSpaces_data();
    void lineBreaksReachingATextFieldBecomeSpaces();
    void pastedLinesSaveAndLoadBackWhole();
    void lineBreakInALoadedValueBecomesASpace();
    void clickRightOfAMaskedTextTypesFromTheFirstBlank_data();
    void clickRightOfAMaskedTextTypesFromTheFirstBlank();
    void onlyTheVerticalWheelScrolls_data();
    void onlyTheVerticalWheelScrolls();
    void dateFieldFocusedWhileAnotherWindowIsActiveIsEntered();

private:
    void pasteFromTheContextMenu(QLineEdit *field);
    void answerPassword(const QString &password);

    std::unique_ptr<TForm1> m_form;
    QStringList m_reported;
    failure::Reporter m_previousReporter;
};

void TestWindowInput::init()
{
    m_reported.clear();
    m_previousReporter = failure::setReporter([this](const QString &message) { m_reported << message; });
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestWindowInput::cleanup()
{
    m_form.reset();
    failure::setReporter(m_previousReporter);
    QVERIFY2(m_reported.isEmpty(), qPrintable(m_reported.join(u'\n')));
}

// Opens the field's context menu as a right click does and clicks its paste command.
void TestWindowInput::pasteFromTheContextMenu(QLineEdit *field)
{
    const QPoint inside(field->width() / 2, field->height() / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, inside, field->mapToGlobal(inside));
    QApplication::sendEvent(field, &event);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    const QList<QAction *> commands = menu->actions();
    const auto paste = std::find_if(commands.cbegin(), commands.cend(), [](const QAction *command) {
        return command->text().startsWith(QStringLiteral("&Beillesztés"));
    });
    QVERIFY(paste != commands.cend() && (*paste)->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(*paste).center());
    QTRY_VERIFY(!QApplication::activePopupWidget());
}

void TestWindowInput::answerPassword(const QString &password)
{
    whenModalOpens<QWidget>([password](QWidget *box) {
        auto *line = box->findChild<QLineEdit *>();
        QVERIFY(line);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, password);
        QApplication::sendEvent(line, &press);
        QTest::keyClick(line, Qt::Key_Return);
    });
}

void TestWindowInput::lineBreaksReachingATextFieldBecomeSpaces_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    const QString joined = QStringLiteral("Kerekrév Fő utca 12.");
    QTest::newRow("Ctrl+V, CR LF") << "Ctrl+V" << "Kerekrév\r\nFő utca 12." << joined;
    QTest::newRow("Ctrl+V, LF") << "Ctrl+V" << "Kerekrév\nFő utca 12." << joined;
    QTest::newRow("Ctrl+V, CR") << "Ctrl+V" << "Kerekrév\rFő utca 12." << joined;
    QTest::newRow("Ctrl+V, each break its space") << "Ctrl+V" << "\nKerekrév\r\r\nFő\n\rutca\r\n"
                                                  << " Kerekrév  Fő  utca ";
    QTest::newRow("Shift+Insert") << "Shift+Insert" << "Kerekrév\r\nFő utca 12." << joined;
    QTest::newRow("context menu") << "context menu" << "Kerekrév\r\nFő utca 12." << joined;
    QTest::newRow("middle button") << "middle button" << "Kerekrév\r\nFő utca 12." << joined;
    QTest::newRow("drop") << "drop" << "Kerekrév\r\nFő utca 12." << joined;
    QTest::newRow("setText") << "setText" << "Kerekrév\r\nFő utca 12." << joined;
}

// The field is single-line, so the saved filling gives it one line; a break that stayed in its text
// would split the value in the file and lose its first part on loading.
void TestWindowInput::lineBreaksReachingATextFieldBecomeSpaces()
{
    QFETCH(QString, way);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    // Only X11 has the selection that the middle button pastes.
    if (way == u"middle button" && !PrivateXServer::isHosting()) {
        PrivateXServer server;
        if (!server.started())
            QSKIP(server.failure().constData());
        server.runCurrentFunction();
        return;
    }
    auto *street = m_form->field<TEdit>(QStringLiteral("Edit76"));
    if (way == u"setText") {
        street->setText(value);
        QCOMPARE(street->text(), shown);
        return;
    }
    QTest::mouseClick(street, Qt::LeftButton);
    QVERIFY(street->hasFocus());
    QTest::keyClicks(street, QStringLiteral("<>"));
    QTest::keyClick(street, Qt::Key_Left);
    QGuiApplication::clipboard()->setText(value);
    QGuiApplication::clipboard()->setText(value, QClipboard::Selection);
    const QPoint caret = street->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    if (way == u"Ctrl+V") {
        QTest::keyClick(street, Qt::Key_V, Qt::ControlModifier);
    } else if (way == u"Shift+Insert") {
        QTest::keyClick(street, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (way == u"middle button") {
        QTest::mouseClick(street, Qt::MiddleButton, {}, caret);
    } else if (way == u"drop") {
        QMimeData dragged;
        dragged.setText(value);
        // A drop reaches only the widget that accepted the drag when it entered.
        QDragEnterEvent enter(caret, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(street, &enter);
        QDropEvent drop(caret, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(street, &drop);
        QVERIFY(drop.isAccepted());
    } else {
        pasteFromTheContextMenu(street);
    }
    QCOMPARE(street->text(), u'<' + shown + u'>');
    // The caret stays right after what was pasted.
    QCOMPARE(street->cursorPosition(), 1 + shown.size());
    // The paste is one step to undo, as a paste of one line is, and what it replaced comes back.
    QTest::keyClick(street, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(street->text(), QStringLiteral("<>"));
    QCOMPARE(street->cursorPosition(), 1);
}

void TestWindowInput::pastedLinesSaveAndLoadBackWhole()
{
    QTemporaryDir folder;
    m_form->setFillingFolder(folder.path());
    auto *street = m_form->field<TEdit>(QStringLiteral("Edit76"));
    QTest::mouseClick(street, Qt::LeftButton);
    QGuiApplication::clipboard()->setText(QStringLiteral("Kerekrév\r\nFő utca 12."));
    QTest::keyClick(street, Qt::Key_V, Qt::ControlModifier);
    answerPassword(QStringLiteral("titok"));
    m_form->field<QAction>(QStringLiteral("Kitltsmentse1"))->trigger();
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("KRVR11007.txt"))));

    street->clear();
    answerPassword(QStringLiteral("titok"));
    m_form->field<QAction>(QStringLiteral("Kitltttrlapbetltse1"))->trigger();
    QCOMPARE(street->text(), QStringLiteral("Kerekrév Fő utca 12."));
}

// Lines are split only at CR LF, so a CR or LF alone stays inside a value of the file.
void TestWindowInput::lineBreakInALoadedValueBecomesASpace()
{
    QTemporaryDir folder;
    m_form->setFillingFolder(folder.path());
    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("titok"));
    QFile file(folder.filePath(QStringLiteral("KRVR11007.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(cipher.EncryptText(fillingformat::joinLines({fillingformat::markerLine(),
                                                            QStringLiteral("Edit76_Kerekrév\nFő utca\r12.")}))
                   .toLatin1());
    file.close();

    answerPassword(QStringLiteral("titok"));
    m_form->field<QAction>(QStringLiteral("Kitltttrlapbetltse1"))->trigger();
    QCOMPARE(m_form->field<TEdit>(QStringLiteral("Edit76"))->text(), QStringLiteral("Kerekrév Fő utca 12."));
}

void TestWindowInput::clickRightOfAMaskedTextTypesFromTheFirstBlank_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("onLastCharacter"); // on its right half, else right of the whole text
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::newRow("blank tax number") << "LMDMaskEdit2" << "********-*-**" << false << "1234" << "1234****-*-**";
    QTest::newRow("half filled") << "LMDMaskEdit2" << "1234****-*-**" << false << "5678" << "12345678-*-**";
    QTest::newRow("first group filled: past the literal") << "LMDMaskEdit2" << "12345678-*-**" << false << "2"
                                                          << "12345678-2-**";
    QTest::newRow("a gap is filled first") << "LMDMaskEdit2" << "12*45678-9-**" << false << "3"
                                           << "12345678-9-**";
    QTest::newRow("full: nothing to fill") << "LMDMaskEdit2" << "12345678-9-01" << false << "5" << "12345678-9-01";
    QTest::newRow("bank account") << "LMDMaskEdit31" << "********-********-********" << false << "11111111-2"
                                  << "11111111-2*******-********";
    QTest::newRow("postcode") << "LMDMaskEdit32" << "****" << false << "1234" << "1234";
    // The caret after the last character cannot take a digit either, wherever the click put it there.
    QTest::newRow("postcode, on its last star") << "LMDMaskEdit32" << "****" << true << "12" << "12**";
    QTest::newRow("half filled, on its last star") << "LMDMaskEdit2" << "1234****-*-**" << true << "5"
                                                   << "12345***-*-**";
}

void TestWindowInput::clickRightOfAMaskedTextTypesFromTheFirstBlank()
{
    QFETCH(QString, field);
    QFETCH(QString, before);
    QFETCH(bool, onLastCharacter);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    auto *edit = m_form->field<TLMDMaskEdit>(field);
    edit->setText(before);
    QCOMPARE(edit->text(), before);
    const int textWidth = edit->fontMetrics().horizontalAdvance(before);
    const QRect last = edit->characterRect(before.size() - 1);
    const QPoint clicked = onLastCharacter ? QPoint(last.left() + last.width() * 3 / 4, edit->height() / 2)
                                           : QPoint(edit->width() - 4, edit->height() / 2);
    QVERIFY2(edit->width() - 4 > textWidth + 8, "the field is wider than its text");

    QTest::mouseClick(edit, Qt::LeftButton, {}, clicked);
    QVERIFY(edit->hasFocus());
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), after);

    // A click on the text itself still puts the caret between the characters clicked.
    const QPoint afterFirst(edit->characterRect(1).left(), edit->height() / 2);
    QTest::mouseClick(edit, Qt::LeftButton, {}, afterFirst);
    QCOMPARE(edit->model().cursorPosition(), 1);
}

void TestWindowInput::onlyTheVerticalWheelScrolls_data()
{
    QTest::addColumn<QPoint>("rotation");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("scrolled");
    QTest::newRow("tilt right") << QPoint(120, 0) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("tilt left") << QPoint(-240, 0) << Qt::KeyboardModifiers() << 0;
    QTest::newRow("tilt with Ctrl") << QPoint(120, 0) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("wheel down") << QPoint(0, -120) << Qt::KeyboardModifiers() << 20;
    QTest::newRow("diagonal: its vertical part") << QPoint(360, 120) << Qt::KeyboardModifiers() << -20;
    QTest::newRow("Shift with the wheel down") << QPoint(0, -240) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                               << 40;
    // How macOS delivers Shift with the wheel, and the X11 platform Alt with the wheel.
    QTest::newRow("Shift turned it sideways") << QPoint(-120, 0) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 20;
    QTest::newRow("Alt turned it sideways") << QPoint(120, 0) << Qt::KeyboardModifiers(Qt::AltModifier) << -20;
}

void TestWindowInput::onlyTheVerticalWheelScrolls()
{
    QFETCH(QPoint, rotation);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, scrolled);
    m_form->setFixedWidth(500); // narrower than the content, so a sideways scroll would have room
    FormScrollArea *area = m_form->scrollArea();
    QScrollBar *bar = area->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 200);
    bar->setValue(100);
    auto *name = m_form->field<TEdit>(QStringLiteral("Edit2"));
    area->showWidget(name);
    QTest::mouseClick(name, Qt::LeftButton);
    const int shown = bar->value();
    QVERIFY(shown >= 40 && shown <= bar->maximum() - 40);

    // The window system delivers the wheel to the window at the pointer, which hands it to the field
    // under it.
    const QPoint inWindow = name->mapTo(m_form.get(), QPoint(name->width() / 2, name->height() / 2));
    QCOMPARE(m_form->childAt(inWindow), name);
    QWheelEvent wheel(inWindow, m_form->mapToGlobal(inWindow), QPoint(), rotation, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_form->windowHandle(), &wheel);

    QCOMPARE(bar->value(), shown + scrolled);
    QCOMPARE(area->horizontalScrollBar()->value(), 0);
    QCOMPARE(name->text(), QString());
}

// What the error box of the field left backwards makes of the move, when the window manager hands the
// activation back late: the date field becomes the window's focus while the box is active, and hears of
// it only as the window is activated again.
void TestWindowInput::dateFieldFocusedWhileAnotherWindowIsActiveIsEntered()
{
    Regional::instance().setSettings(RegionalSettings()); // a Hungarian system's: "yyyy.MM.dd."
    auto *picker = m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker4"));
    picker->setFocus(Qt::TabFocusReason);
    m_form->field<QWidget>(QStringLiteral("PBNumEdit5"))->setFocus(Qt::TabFocusReason);

    QWidget box;
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    picker->setFocus(Qt::BacktabFocusReason);
    box.close();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(QApplication::focusWidget(), picker);

    QTest::keyClicks(picker, QStringLiteral("15"));
    QCOMPARE(picker->textField()->text(), QStringLiteral("2010.12.15."));
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestWindowInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowinput.moc"
