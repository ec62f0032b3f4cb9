#include "form/maskedit/tlmdmaskedit.h"

#include "common/beep.h"
#include "common/exception.h"
#include "common/failure.h"
#include "form/maskedit/maskeditaccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString taxNumberTemplate = QStringLiteral("********-*-**");
const QString fullTaxNumber = QStringLiteral("12345678-9-01");

// A window like the declaration's: a field before, the tax number field, a field after.
struct Window
{
    Window()
    {
        auto *layout = new QVBoxLayout(&widget);
        before = new QLineEdit(&widget);
        field = new TLMDMaskEdit(&widget);
        after = new QLineEdit(&widget);
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        field->setMaxLength(13);
        field->setBlankChar(u'*');
        field->setMask(QStringLiteral("00000000\\-0\\-00"));
        field->resetToBlankTemplate();
        widget.show();
    }

    bool focusField()
    {
        if (!QTest::qWaitForWindowActive(&widget))
            return false;
        field->setFocus(Qt::OtherFocusReason);
        return field->hasFocus();
    }

    QWidget widget;
    QLineEdit *before = nullptr;
    TLMDMaskEdit *field = nullptr;
    QLineEdit *after = nullptr;
};

int pixelsOfColour(const QImage &image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

} // namespace

class TestTLMDMaskEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void configuredFieldShowsItsTemplate();
    void typingAFullTaxNumberGivesItsText();
    void tabAndBacktabStayWithTheWindow();
    void enteringTheFieldLeavesTheCaretAndSelectsNothing();
    void editingKeysReachTheModel();
    void insertKeyTogglesTheModeOfEveryField();
    void clipboardShortcuts();
    void contextMenuOffersTheClipboardCommands();
    void rejectedCharacterIsNotifiedButNeitherTypedNorBeeped();
    void failureInANotificationIsReportedAndTheFieldCarriesOn();
    void mousePlacesTheCaretAndSelects();
    void selectionIsPaintedOnlyWhileFocused();
    void caretBlinksWhileFocused();
    void screenReadersGetTheText();
    void screenReadersMoveTheCaretAndSelect();
    void textChangeIsTheReplacedPart_data();
    void textChangeIsTheReplacedPart();
    void sizeHintHoldsTheTemplate();

private:
    int m_beeps = 0;
};

void TestTLMDMaskEdit::init()
{
    SharedEditMode::application().setOverwrite(false);
    QGuiApplication::clipboard()->clear();
    m_beeps = 0;
    beep::setHandler([this] { ++m_beeps; });
}

void TestTLMDMaskEdit::configuredFieldShowsItsTemplate()
{
    TLMDMaskEdit field;
    QCOMPARE(field.text(), QString());
    field.setProperty("MaxLength", 26);
    field.setProperty("BlankChar", QChar(u'*'));
    field.setProperty("Mask", QStringLiteral("00000000\\-00000000\\-00000000"));
    field.setProperty("Text", QStringLiteral("********-********-********"));
    field.resetToBlankTemplate();
    QCOMPARE(field.text(), QStringLiteral("********-********-********"));
    QCOMPARE(field.model().cursorPosition(), 0);
}

void TestTLMDMaskEdit::typingAFullTaxNumberGivesItsText()
{
    Window window;
    QVERIFY(window.focusField());
    QSignalSpy changes(window.field, &TLMDMaskEdit::textChanged);
    QTest::keyClicks(window.field, fullTaxNumber);
    QCOMPARE(window.field->text(), fullTaxNumber);
    QCOMPARE(window.field->model().cursorPosition(), 13);
    QCOMPARE(changes.size(), 11); // the two "-" overwrite themselves
    QCOMPARE(changes.last().first().toString(), fullTaxNumber);
}

void TestTLMDMaskEdit::tabAndBacktabStayWithTheWindow()
{
    Window window;
    QVERIFY(window.focusField());
    QTest::keyClick(window.field, Qt::Key_Tab);
    QVERIFY(window.after->hasFocus());
    QTest::keyClick(window.after, Qt::Key_Backtab);
    QVERIFY(window.field->hasFocus());
    QTest::keyClick(window.field, Qt::Key_Backtab);
    QVERIFY(window.before->hasFocus());
    QCOMPARE(window.field->text(), taxNumberTemplate);
}

void TestTLMDMaskEdit::enteringTheFieldLeavesTheCaretAndSelectsNothing()
{
    Window window;
    QVERIFY(window.focusField());
    QTest::keyClicks(window.field, QStringLiteral("123"));
    QTest::keyClick(window.field, Qt::Key_Tab);
    QTest::keyClick(window.after, Qt::Key_Backtab);
    QVERIFY(window.field->hasFocus());
    QCOMPARE(window.field->model().cursorPosition(), 3);
    QVERIFY(!window.field->model().hasSelection());
    QCOMPARE(window.field->text(), QStringLiteral("123*****-*-**"));
}

void TestTLMDMaskEdit::editingKeysReachTheModel()
{
    Window window;
    QVERIFY(window.focusField());
    QTest::keyClicks(window.field, QStringLiteral("12"));
    QTest::keyClick(window.field, Qt::Key_Backspace);
    QCOMPARE(window.field->text(), QStringLiteral("1*******-*-**"));
    QCOMPARE(window.field->model().cursorPosition(), 1);

    QTest::keyClick(window.field, Qt::Key_Home);
    QTest::keyClick(window.field, Qt::Key_Delete);
    QCOMPARE(window.field->text(), taxNumberTemplate);
    QCOMPARE(window.field->model().cursorPosition(), 0);

    QTest::keyClick(window.field, Qt::Key_End);
    QTest::keyClick(window.field, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(window.field, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(window.field->model().selectedText(), QStringLiteral("**"));
    QTest::keyClick(window.field, Qt::Key_Escape);
    QVERIFY(!window.field->model().hasSelection());
    QCOMPARE(window.field->model().cursorPosition(), 11);
}

void TestTLMDMaskEdit::insertKeyTogglesTheModeOfEveryField()
{
    Window window;
    TLMDMaskEdit other;
    QVERIFY(window.focusField());
    QTest::keyClick(window.field, Qt::Key_Insert);
    QVERIFY(other.model().editMode().isOverwrite());
    QTest::keyClick(window.field, Qt::Key_Insert);
    QVERIFY(!other.model().editMode().isOverwrite());
    QTest::keyClicks(window.field, QStringLiteral("5"));
    QVERIFY(other.model().editMode().isOverwrite());
}

void TestTLMDMaskEdit::clipboardShortcuts()
{
    Window window;
    QVERIFY(window.focusField());
    window.field->setText(fullTaxNumber);
    QTest::keyClick(window.field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window.field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), fullTaxNumber);

    QTest::keyClick(window.field, Qt::Key_Escape);
    QTest::keyClick(window.field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), fullTaxNumber);

    window.field->setText(taxNumberTemplate);
    QTest::keyClick(window.field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window.field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(window.field->text(), fullTaxNumber);

    QGuiApplication::clipboard()->setText(QStringLiteral("7"));
    QTest::keyClick(window.field, Qt::Key_Home);
    QTest::keyClick(window.field, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(window.field, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(window.field->text(), QStringLiteral("72345678-9-01"));

    QTest::keyClick(window.field, Qt::Key_Home);
    QTest::keyClick(window.field, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(window.field, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("72345678-"));
    QCOMPARE(window.field->text(), QStringLiteral("72345678-9-01"));
}

void TestTLMDMaskEdit::contextMenuOffersTheClipboardCommands()
{
    Window window;
    QVERIFY(window.focusField());
    window.field->setText(fullTaxNumber);
    window.field->setReadOnly(true);
    QTest::keyClick(window.field, Qt::Key_A, Qt::ControlModifier);

    QStringList enabled;
    QTimer::singleShot(0, window.field, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (action->isEnabled() && !action->isSeparator())
                enabled << action->text();
            if (action->text() == QStringLiteral("&Másolás"))
                action->trigger();
        }
        menu->close();
    });
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), window.field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.field, &request);

    QCOMPARE(enabled, (QStringList{QStringLiteral("&Másolás"), QStringLiteral("Az összes &kijelölése")}));
    QCOMPARE(QGuiApplication::clipboard()->text(), fullTaxNumber);
}

void TestTLMDMaskEdit::rejectedCharacterIsNotifiedButNeitherTypedNorBeeped()
{
    Window window;
    QVERIFY(window.focusField());
    QSignalSpy keysDown(window.field, &TLMDMaskEdit::keyDown);
    QSignalSpy keysPressed(window.field, &TLMDMaskEdit::keyPressed);
    QTest::keyClicks(window.field, QStringLiteral("x"));
    QTest::keyClick(window.field, Qt::Key_Right);
    QCOMPARE(window.field->text(), taxNumberTemplate);
    QCOMPARE(keysPressed.size(), 1);
    QCOMPARE(keysPressed.first().first().value<QChar>(), QChar(u'x'));
    QCOMPARE(keysDown.size(), 2);
    QCOMPARE(keysDown.last().first().toInt(), int(Qt::Key_Right));
    QCOMPARE(m_beeps, 0);
}

void TestTLMDMaskEdit::failureInANotificationIsReportedAndTheFieldCarriesOn()
{
    Window window;
    QVERIFY(window.focusField());
    QStringList reported;
    const failure::Reporter previous = failure::setReporter([&](const QString &message) { reported << message; });
    const auto connection = QObject::connect(window.field, &TLMDMaskEdit::keyPressed, [](QChar character) {
        if (character == u'5')
            throw Exception(QStringLiteral("no fives"));
    });
    QTest::keyClicks(window.field, QStringLiteral("151"));
    QObject::disconnect(connection);
    failure::setReporter(previous);
    QCOMPARE(reported, QStringList{QStringLiteral("no fives")});
    QCOMPARE(window.field->text(), QStringLiteral("11******-*-**"));
}

void TestTLMDMaskEdit::mousePlacesTheCaretAndSelects()
{
    Window window;
    QVERIFY(window.focusField());
    window.field->setText(fullTaxNumber);
    TLMDMaskEdit *field = window.field;
    const int middle = field->height() / 2;
    const QPoint rightEnd(field->width() - 3, middle);
    const QPoint leftEdge(1, middle);
    const QPoint inFirstGroup(field->fontMetrics().horizontalAdvance(QStringLiteral("1234")) + 4, middle);

    QTest::mouseClick(field, Qt::LeftButton, {}, rightEnd);
    QCOMPARE(field->model().cursorPosition(), 13);
    QTest::mouseClick(field, Qt::LeftButton, {}, leftEdge);
    QCOMPARE(field->model().cursorPosition(), 0);
    QTest::mouseClick(field, Qt::LeftButton, Qt::ShiftModifier, rightEnd);
    QCOMPARE(field->model().selectedText(), fullTaxNumber);

    QTest::mouseDClick(field, Qt::LeftButton, {}, inFirstGroup);
    QCOMPARE(field->model().selectedText(), QStringLiteral("12345678"));

    QTest::mousePress(field, Qt::LeftButton, {}, leftEdge);
    QMouseEvent drag(QEvent::MouseMove, QPointF(rightEnd), field->mapToGlobal(QPointF(rightEnd)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &drag);
    QTest::mouseRelease(field, Qt::LeftButton, {}, rightEnd);
    QCOMPARE(field->model().selectionStart(), 0);
    QCOMPARE(field->model().selectionLength(), 13);
}

void TestTLMDMaskEdit::selectionIsPaintedOnlyWhileFocused()
{
    Window window;
    QVERIFY(window.focusField());
    const QColor highlight = window.field->palette().color(QPalette::Active, QPalette::Highlight);
    QTest::keyClick(window.field, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(pixelsOfColour(window.field->grab().toImage(), highlight) > 0);
    window.after->setFocus(Qt::OtherFocusReason);
    QCOMPARE(pixelsOfColour(window.field->grab().toImage(), highlight), 0);
}

void TestTLMDMaskEdit::caretBlinksWhileFocused()
{
    Window window;
    QVERIFY(window.focusField());
    const QImage withCaret = window.field->grab().toImage();
    QTest::qWait(TLMDMaskEdit::caretBlinkMilliseconds + 100);
    const QImage withoutCaret = window.field->grab().toImage();
    QVERIFY(withCaret != withoutCaret);

    window.after->setFocus(Qt::OtherFocusReason);
    const QImage unfocused = window.field->grab().toImage();
    QTest::qWait(TLMDMaskEdit::caretBlinkMilliseconds + 100);
    QCOMPARE(window.field->grab().toImage(), unfocused);
}

void TestTLMDMaskEdit::screenReadersGetTheText()
{
    Window window;
    QVERIFY(window.focusField());
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(window.field);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QVERIFY(accessible->state().editable);
    QAccessibleTextInterface *text = accessible->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), taxNumberTemplate);

    // Typing fills the blanks; the reader follows the text and the caret, which stops at the literal.
    QTest::keyClicks(window.field, QStringLiteral("12345678"));
    QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("12345678-*-**"));
    QCOMPARE(text->characterCount(), 13);
    QCOMPARE(text->text(8, 11), QStringLiteral("-*-"));
    QCOMPARE(text->cursorPosition(), 8);

    window.field->setText(fullTaxNumber);
    QCOMPARE(text->text(0, text->characterCount()), fullTaxNumber);
    QCOMPARE(text->cursorPosition(), 0);
}

void TestTLMDMaskEdit::screenReadersMoveTheCaretAndSelect()
{
    Window window;
    QVERIFY(window.focusField());
    window.field->setText(fullTaxNumber);
    QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(window.field)->textInterface();

    text->setSelection(0, 9, 10);
    QCOMPARE(window.field->model().selectedText(), QStringLiteral("9"));
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(text->selectionCount(), 1);
    QCOMPARE(start, 9);
    QCOMPARE(end, 10);
    // What the reader selected is what the user then types over.
    QTest::keyClick(window.field, Qt::Key_5);
    QCOMPARE(window.field->text(), QStringLiteral("12345678-5-01"));
    QCOMPARE(text->selectionCount(), 0);

    text->setCursorPosition(11);
    QCOMPARE(window.field->model().cursorPosition(), 11);
    text->addSelection(0, 8);
    text->removeSelection(0);
    QCOMPARE(text->selectionCount(), 0);
    QCOMPARE(text->cursorPosition(), 8);

    // Each character's place on screen, one after the other along the line, and back again.
    const QRect first = text->characterRect(0);
    const QRect literal = text->characterRect(8);
    QVERIFY(first.width() > 0 && first.height() > 0);
    QVERIFY(literal.left() >= first.right());
    QCOMPARE(first.top(), literal.top());
    QVERIFY(window.field->rect().contains(window.field->mapFromGlobal(literal.center())));
    QCOMPARE(text->offsetAtPoint(literal.center()), 8);
}

void TestTLMDMaskEdit::textChangeIsTheReplacedPart_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("typed digit") << taxNumberTemplate << "1*******-*-**" << 0 << "*" << "1";
    QTest::newRow("cleared digit") << fullTaxNumber << "12345678-*-01" << 9 << "9" << "*";
    QTest::newRow("same character again") << "1111" << "1*11" << 1 << "1" << "*";
    QTest::newRow("set from empty") << "" << "****" << 0 << "" << "****";
    QTest::newRow("cut at the end") << "1234" << "123" << 3 << "4" << "";
    QTest::newRow("unchanged") << "1234" << "1234" << 4 << "" << "";
}

void TestTLMDMaskEdit::textChangeIsTheReplacedPart()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    const TextChange change = textChange(before, after);
    QTEST(int(change.position), "position");
    QTEST(change.removed, "removed");
    QTEST(change.inserted, "inserted");
}

void TestTLMDMaskEdit::sizeHintHoldsTheTemplate()
{
    Window window;
    const QSize hint = window.field->sizeHint();
    QVERIFY(hint.width() > window.field->fontMetrics().horizontalAdvance(taxNumberTemplate));
    QVERIFY(hint.height() > window.field->fontMetrics().height());
}

QTEST_MAIN(TestTLMDMaskEdit)
#include "tst_tlmdmaskedit.moc"
