#include "common/beep.h"
#include "common/fonts.h"
#include "dialogs/dialogbuilders.h"
#include "dialogs/dialoggeometry.h"
#include "dialogs/dialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace MessDlgs;

Q_DECLARE_METATYPE(TMsgDlgButtons)

namespace {

// Runs the checks and actions on the modal dialog once its event loop runs. Should a check fail before
// the dialog is closed, the dialog closes itself a little later instead of leaving the test waiting.
template<typename Action>
void whenModalOpens(Action action)
{
    QTimer::singleShot(0, qApp, [action] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTimer::singleShot(3000, dialog, &QDialog::reject);
        action(*dialog);
    });
}

void pressKey(QDialog &dialog, Qt::Key key)
{
    QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, key);
}

// Sends the characters as typed text, also those outside Latin-1.
void typeText(QWidget *widget, const QString &text)
{
    for (QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

QList<QPushButton *> buttonsLeftToRight(const QWidget &dialog)
{
    QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
    return buttons;
}

QRect screenGeometry()
{
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void hungarianInformationBox_data();
    void hungarianInformationBox();
    void messageBoxKeys_data();
    void messageBoxKeys();
    void closeBoxCancels();
    void buttonsInTableOrderWithLanguageCaptions();
    void helpButtonOpensHelpWithoutClosing();
    void messageLabelInMessageFontAboveTheButtons();
    void centredUnlessPlaced();
    void customTypeHasNoIconAndTheApplicationTitle();
    void inputBoxLayout();
    void askForText_data();
    void askForText();
    void editLineRefusesWhatWindows1250CannotHold();
    void styleSettings();
    void seamReplacesTheRealDialogs();

private:
    int m_beeps = 0;
    std::function<void()> m_previousBeep;
};

void TestDialogs::initTestCase()
{
    fonts::install();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("KRV11007"));
    m_previousBeep = beep::setHandler([this] { ++m_beeps; });
}

void TestDialogs::init()
{
    settings() = Settings{};
    settings().language = Hungarian;
    m_beeps = 0;
}

void TestDialogs::cleanupTestCase()
{
    beep::setHandler(m_previousBeep);
}

void TestDialogs::hungarianInformationBox_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
    QTest::newRow("Escape") << Qt::Key_Escape;
}

void TestDialogs::hungarianInformationBox()
{
    QFETCH(Qt::Key, key);
    const QString text = QStringLiteral("Nincs mentés!           .");
    bool inspected = false;
    whenModalOpens([&](QDialog &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Információ"));
        const auto *image = dialog.findChild<QLabel *>(QStringLiteral("Image"));
        QVERIFY(image);
        QCOMPARE(image->pixmap().deviceIndependentSize().toSize(), QSize(32, 32));
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Message"))->text(), text);
        const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(buttons.first()->text(), QStringLiteral("OK"));
        inspected = true;
        pressKey(dialog, key);
    });
    ShowInformationBox(text);
    QVERIFY(inspected);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestDialogs::messageBoxKeys_data()
{
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("result");

    QTest::newRow("Yes No Cancel, Enter takes Yes") << TMsgDlgButtons{mbYes, mbNo, mbCancel} << Qt::Key_Return << 6;
    QTest::newRow("Yes No Cancel, Escape takes Cancel")
        << TMsgDlgButtons{mbYes, mbNo, mbCancel} << Qt::Key_Escape << 2;
    QTest::newRow("Yes No, Escape takes No") << TMsgDlgButtons{mbYes, mbNo} << Qt::Key_Escape << 7;
    QTest::newRow("OK Cancel, Enter takes OK") << TMsgDlgButtons{mbOK, mbCancel} << Qt::Key_Return << 1;
    QTest::newRow("No OK, Enter takes OK though No comes first") << TMsgDlgButtons{mbNo, mbOK} << Qt::Key_Return << 1;
    QTest::newRow("Retry Cancel, Enter takes Retry") << TMsgDlgButtons{mbRetry, mbCancel} << Qt::Key_Return << 4;
    QTest::newRow("no cancel button, Escape closes as the close box")
        << TMsgDlgButtons{mbAbort, mbRetry, mbIgnore} << Qt::Key_Escape << 2;
}

void TestDialogs::messageBoxKeys()
{
    QFETCH(TMsgDlgButtons, buttons);
    QFETCH(Qt::Key, key);
    whenModalOpens([key](QDialog &dialog) { pressKey(dialog, key); });
    QTEST(ShowMessageBox(QStringLiteral("Folytatja?"), mtConfirmation, buttons, English), "result");
}

void TestDialogs::closeBoxCancels()
{
    whenModalOpens([](QDialog &dialog) { dialog.close(); });
    QCOMPARE(ShowMessageBox(QStringLiteral("Mentsük?"), mtConfirmation, {mbYes, mbNo}, Hungarian), int(mrCancel));

    QString value;
    whenModalOpens([](QDialog &dialog) {
        typeText(dialog.focusWidget(), QStringLiteral("titok"));
        dialog.close();
    });
    QVERIFY(!AskForText(QStringLiteral("Jelszó"), QStringLiteral("Jelszó:"), QStringLiteral("alap"), value));
    QCOMPARE(value, QStringLiteral("alap"));
}

void TestDialogs::buttonsInTableOrderWithLanguageCaptions()
{
    const auto form = createMessageForm({QStringLiteral("Biztos?"), mtConfirmation, {mbHelp, mbNo, mbYes}, Hungarian});
    QCOMPARE(form->windowTitle(), QStringLiteral("Megerősítés"));

    const QList<QPushButton *> buttons = buttonsLeftToRight(*form);
    QCOMPARE(buttons.size(), 3);
    const QStringList names = {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Help")};
    const QStringList captions = {QStringLiteral("Igen"), QStringLiteral("Nem"), QStringLiteral("Súgó")};
    for (qsizetype index = 0; index < buttons.size(); ++index) {
        QCOMPARE(buttons.at(index)->objectName(), names.at(index));
        QCOMPARE(buttons.at(index)->text(), captions.at(index));
        QCOMPARE(buttons.at(index)->isDefault(), index == 0);
    }
    QVERIFY(buttons.at(0)->geometry().right() < buttons.at(1)->x());
    QVERIFY(buttons.at(1)->geometry().right() < buttons.at(2)->x());
}

void TestDialogs::helpButtonOpensHelpWithoutClosing()
{
    QList<int> helpContexts;
    const HelpFunction previous = setHelpFunction([&](int context) { helpContexts.append(context); });
    whenModalOpens([&](QDialog &dialog) {
        dialog.findChild<QPushButton *>(QStringLiteral("Help"))->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(helpContexts, QList<int>{42});
        dialog.findChild<QPushButton *>(QStringLiteral("OK"))->click();
    });
    const int result = ShowMessageBox(QStringLiteral("Segítség kell?"), mtInformation, {mbOK, mbHelp}, English, -1,
                                      -1, 42);
    setHelpFunction(previous);
    QCOMPARE(result, int(mrOk));
    QCOMPARE(helpContexts.size(), 1);
}

void TestDialogs::messageLabelInMessageFontAboveTheButtons()
{
    QString text;
    for (int word = 0; word < 60; ++word)
        text += QStringLiteral("szöveg ");
    const auto form = createMessageForm({text, mtError, {mbOK}, Hungarian});

    const auto *label = form->findChild<QLabel *>(QStringLiteral("Message"));
    QCOMPARE(label->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(label->font().pointSize(), 10);
    QVERIFY(label->font().bold());
    QVERIFY(label->wordWrap());
    QVERIFY(label->width() <= screenGeometry().width() / 2);

    // Every line of the message, in the font it is shown in, ends above the buttons.
    const int shownHeight = label->heightForWidth(label->width());
    QVERIFY(shownHeight <= label->height());
    QVERIFY(label->y() + shownHeight <= form->findChild<QPushButton *>(QStringLiteral("OK"))->y());
    QVERIFY(!form->findChild<QLabel *>(QStringLiteral("Image"))->geometry().intersects(label->geometry()));
}

void TestDialogs::centredUnlessPlaced()
{
    const auto centred = createMessageForm({QStringLiteral("Középen"), mtWarning, {mbOK}, English});
    const QPoint centre = MessDlgs::centredPosition(centred->frameGeometry().size(), screenGeometry());
    QCOMPARE(centred->pos(), centre);

    const auto placed = createMessageForm({QStringLiteral("Középen"), mtWarning, {mbOK}, English, 10, -1});
    QCOMPARE(placed->pos(), QPoint(10, centre.y()));
}

void TestDialogs::customTypeHasNoIconAndTheApplicationTitle()
{
    const auto form = createMessageForm({QStringLiteral("Saját"), mtCustom, {mbOK}, Hungarian});
    QCOMPARE(form->windowTitle(), QStringLiteral("KRV11007"));
    QVERIFY(!form->findChild<QLabel *>(QStringLiteral("Image")));
}

void TestDialogs::inputBoxLayout()
{
    const auto form = createInputForm(QStringLiteral("Jelszó"), QStringLiteral("Kérem a jelszót:"),
                                      QStringLiteral("alap"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Jelszó"));
    QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Prompt"))->text(), QStringLiteral("Kérem a jelszót:"));

    const auto *edit = form->findChild<QLineEdit *>();
    QCOMPARE(edit->selectedText(), QStringLiteral("alap"));
    QCOMPARE(edit->maxLength(), 255);
    QCOMPARE(edit->echoMode(), QLineEdit::Normal); // the password stays visible as typed
    // Screen readers name the edit line after its prompt.
    QCOMPARE(QAccessible::queryAccessibleInterface(form->findChild<QLineEdit *>())->text(QAccessible::Name),
             QStringLiteral("Kérem a jelszót:"));

    const QList<QPushButton *> buttons = buttonsLeftToRight(*form);
    QCOMPARE(buttons.size(), 2);
    QCOMPARE(buttons.at(0)->text(), QStringLiteral("OK"));
    QVERIFY(buttons.at(0)->isDefault());
    QCOMPARE(buttons.at(1)->text(), QStringLiteral("Mégsem"));
    QCOMPARE(form->size(), inputBoxGeometry(DialogUnits::of(dialogFont(settings())), edit->height()).clientSize);

    // A prompt of several lines reaches down over the edit line, which stays in front and takes the clicks.
    const auto tallPrompt = createInputForm(QStringLiteral("Jelszó"), QStringLiteral("Első\nMásodik\nHarmadik"),
                                            QString());
    const auto *tallEdit = tallPrompt->findChild<QLineEdit *>();
    const QRect promptRect = tallPrompt->findChild<QLabel *>(QStringLiteral("Prompt"))->geometry();
    QVERIFY(promptRect.intersects(tallEdit->geometry()));
    QCOMPARE(tallPrompt->childAt(tallEdit->geometry().topLeft() + QPoint(2, 2)), tallEdit);
}

enum class InputAction { TypeAndEnter, TypeAndEscape, ClickOk, TypeAndClickCancel };

void TestDialogs::askForText_data()
{
    QTest::addColumn<InputAction>("action");
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("value");

    QTest::newRow("Enter takes what was typed over the selection")
        << InputAction::TypeAndEnter << QStringLiteral("alap") << true << QStringLiteral("titok");
    QTest::newRow("Escape keeps the default") << InputAction::TypeAndEscape << QStringLiteral("alap") << false
                                              << QStringLiteral("alap");
    QTest::newRow("OK on the untouched line gives the default")
        << InputAction::ClickOk << QStringLiteral("alap") << true << QStringLiteral("alap");
    QTest::newRow("Cancel with an empty default gives the empty text")
        << InputAction::TypeAndClickCancel << QString() << false << QString();
}

void TestDialogs::askForText()
{
    QFETCH(InputAction, action);
    QFETCH(QString, defaultValue);

    whenModalOpens([action](QDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>();
        QCOMPARE(dialog.focusWidget(), edit);
        if (action != InputAction::ClickOk) {
            typeText(edit, QStringLiteral("titok"));
            QCOMPARE(edit->text(), QStringLiteral("titok"));
        }
        switch (action) {
        case InputAction::TypeAndEnter:
            pressKey(dialog, Qt::Key_Return);
            break;
        case InputAction::TypeAndEscape:
            pressKey(dialog, Qt::Key_Escape);
            break;
        case InputAction::ClickOk:
            dialog.findChild<QPushButton *>(QStringLiteral("OK"))->click();
            break;
        case InputAction::TypeAndClickCancel:
            dialog.findChild<QPushButton *>(QStringLiteral("Cancel"))->click();
            break;
        }
    });
    QString value = QStringLiteral("előző");
    QTEST(AskForText(QStringLiteral("Jelszó"), QStringLiteral("Jelszó:"), defaultValue, value), "accepted");
    QTEST(value, "value");
}

void TestDialogs::editLineRefusesWhatWindows1250CannotHold()
{
    const auto form = createInputForm(QStringLiteral("Jelszó"), QStringLiteral("Jelszó:"), QString());
    auto *edit = form->findChild<QLineEdit *>();

    typeText(edit, QStringLiteral("aЖő€"));
    QCOMPARE(edit->text(), QStringLiteral("aő€"));
    QCOMPARE(m_beeps, 1);

    edit->clear();
    m_beeps = 0;
    typeText(edit, QString(256, QLatin1Char('x')));
    QCOMPARE(edit->text().size(), 255);
    QCOMPARE(m_beeps, 1);

    // A password typed or pasted with its accents apart is the same password.
    edit->clear();
    m_beeps = 0;
    typeText(edit, QStringLiteral("O\u030Bz"));
    QCOMPARE(edit->text(), QStringLiteral("Őz"));
    QCOMPARE(edit->cursorPosition(), 2);
    QCOMPARE(m_beeps, 0);
}

void TestDialogs::styleSettings()
{
    settings().roundedCorners = true;
    const auto rounded = createMessageForm({QStringLiteral("Kerek"), mtInformation, {mbOK}, Hungarian});
    const auto plain = [] {
        settings().roundedCorners = false;
        return createMessageForm({QStringLiteral("Kerek"), mtInformation, {mbOK}, Hungarian});
    }();
    QCOMPARE(rounded->height(), plain->height() + 35);
    QVERIFY(rounded->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!rounded->mask().contains(QPoint(0, 0)));
    QVERIFY(rounded->mask().contains(rounded->rect().center()));

    settings().styledPanel = true;
    settings().roundedCorners = true;
    const auto panelled = createInputForm(QStringLiteral("Panel"), QStringLiteral("Jelszó:"), QString());
    QWidget *panel = panelled->findChild<QLineEdit *>()->parentWidget();
    QVERIFY(panel != panelled.get());
    QCOMPARE(panel->geometry(), panelled->rect());
    QVERIFY(panelled->mask().isEmpty()); // the styled panel keeps the frame and the square corners
}

void TestDialogs::seamReplacesTheRealDialogs()
{
    QList<MessageBoxRequest> requests;
    const MessageBoxFunction previousMessageBox = setMessageBoxFunction([&](const MessageBoxRequest &request) {
        requests.append(request);
        return int(mrOk);
    });
    ShowInformationBox(QStringLiteral("Hibás jelszó!           ."));
    setMessageBoxFunction(previousMessageBox);

    QCOMPARE(requests.size(), 1);
    const MessageBoxRequest &request = requests.first();
    QCOMPARE(request.text, QStringLiteral("Hibás jelszó!           ."));
    QCOMPARE(request.type, mtInformation);
    QVERIFY(request.buttons == TMsgDlgButtons{mbOK});
    QCOMPARE(request.language, int(Hungarian));
    QCOMPARE(QPoint(request.left, request.top), QPoint(-1, -1));
    QCOMPARE(request.helpContext, 0);

    QString offered;
    std::optional<QString> answer;
    const InputBoxFunction previousInputBox =
        setInputBoxFunction([&](const QString &, const QString &, const QString &value) {
            offered = value;
            return answer;
        });
    QString value = QStringLiteral("előző");
    const bool cancelled = AskForText(QStringLiteral("Jelszó"), QStringLiteral("Jelszó:"), QStringLiteral("alap"), value);
    QCOMPARE(offered, QStringLiteral("alap"));
    const QString valueAfterCancel = value;
    answer = QStringLiteral("titok");
    const bool accepted = AskForText(QStringLiteral("Jelszó"), QStringLiteral("Jelszó:"), QString(), value);
    setInputBoxFunction(previousInputBox);

    QVERIFY(!cancelled);
    QCOMPARE(valueAfterCancel, QStringLiteral("alap"));
    QVERIFY(accepted);
    QCOMPARE(value, QStringLiteral("titok"));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
