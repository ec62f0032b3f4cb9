#include "common/beep.h"
#include "common/colorvalue.h"
#include "common/regionalsettings.h"
#include "form/widgets/headergradient.h"
#include "form/widgets/readabletext.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "form/widgets/tlmdradiogroup.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

class TestFormWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void activeHeaderGradientBands();
    void inactiveHeaderIsAPlainFill();
    void textColorStandsOutFromItsBackground_data();
    void textColorStandsOutFromItsBackground();
    void textFieldRefusesWhatWindows1250CannotHold();
    void textFieldTakesAccentsSpelledApart();
    void joiningLinesKeepsThePosition_data();
    void joiningLinesKeepsThePosition();
    void radioGroupReportsUserChoicesOnly();
    void radioGroupCanHoldNoChoice();
    void dateFieldTypingAndArrowsKeepTheTimeOfDay();
    void dateFieldCalendarChoosesADay();
    void dateFieldFollowsTheShortDateFormat();
    void dateFieldCalendarOpensByKey_data();
    void dateFieldCalendarOpensByKey();
    void dateFieldIsReadAsItsText();

private:
    void showPicker(TDateTimePicker &picker);
};

void TestFormWidgets::activeHeaderGradientBands()
{
    const QList<GradientBand> bands = headerGradient(colorFromValue(9758459), colorFromValue(1414638), 27);
    QCOMPARE(bands.size(), 16);
    // Rows: i*27/16 rounded, halves away from zero.
    QCOMPARE(bands.at(0).top, 0);
    QCOMPARE(bands.at(0).bottom, 2);  // 1.6875
    QCOMPARE(bands.at(1).bottom, 3);  // 3.375
    QCOMPARE(bands.at(7).bottom, 14); // 13.5 rounds up
    QCOMPARE(bands.at(15).bottom, 27);
    for (int band = 1; band < 16; ++band)
        QCOMPARE(bands.at(band).top, bands.at(band - 1).bottom);
    // First and last bands are the start (#FBE694) and end (#EE9515) colours.
    QCOMPARE(bands.at(0).color, QColor(0xFB, 0xE6, 0x94));
    QCOMPARE(bands.at(15).color, QColor(0xEE, 0x95, 0x15));
    // Band 1: red 251 - 13/15 = 250.13 -> 250; green 230 - 81/15 = 224.6 -> 225; blue 148 - 127/15 = 139.53 -> 140.
    QCOMPARE(bands.at(1).color, QColor(250, 225, 140));
    // Band 3: blue 148 - 381/15 = 122.6 -> 123 (the difference -25.4 rounds to -25).
    QCOMPARE(bands.at(3).color.blue(), 123);
}

void TestFormWidgets::inactiveHeaderIsAPlainFill()
{
    for (const GradientBand &band : headerGradient(colorFromValue(12505042), colorFromValue(12505042), 27))
        QCOMPARE(band.color, QColor(0xD2, 0xCF, 0xBE));
}

void TestFormWidgets::textColorStandsOutFromItsBackground_data()
{
    QTest::addColumn<QColor>("preferred");
    QTest::addColumn<QColor>("top");
    QTest::addColumn<QColor>("bottom");
    QTest::addColumn<QColor>("expected");
    const QColor outerPanel(0xEA, 0xE5, 0xCF);
    const QColor darkFace(0x32, 0x32, 0x32);
    const QColor lightText(0xF0, 0xF0, 0xF0);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    QTest::newRow("black on the outer panel stays") << black << outerPanel << outerPanel << black;
    QTest::newRow("light text on the outer panel") << lightText << outerPanel << outerPanel << black;
    QTest::newRow("light text on a dark face stays") << lightText << darkFace << darkFace << lightText;
    QTest::newRow("grey on a dark face") << QColor(0x4F, 0x50, 0x45) << darkFace << darkFace << white;
    // Readable on the light top of the active header, not on its orange bottom.
    QTest::newRow("white on the active header") << white << QColor(0xFB, 0xE6, 0x94) << QColor(0xEE, 0x95, 0x15)
                                                << black;
}

void TestFormWidgets::textColorStandsOutFromItsBackground()
{
    QFETCH(QColor, preferred);
    QFETCH(QColor, top);
    QFETCH(QColor, bottom);
    QFETCH(QColor, expected);
    QCOMPARE(readableTextColor(preferred, {top, bottom}), expected);
    QCOMPARE(contrastRatio(QColor(Qt::black), QColor(Qt::white)), 21.0);
}

void TestFormWidgets::textFieldRefusesWhatWindows1250CannotHold()
{
    int beeps = 0;
    const auto previous = beep::setHandler([&beeps] { ++beeps; });
    TEdit edit;
    edit.show();
    edit.setFocus();
    for (QChar typed : QStringLiteral("Fő漢 utca")) {
        // Characters outside Latin-1 have no key code; they arrive as key text.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
        QApplication::sendEvent(&edit, &press);
    }
    beep::setHandler(previous);
    QCOMPARE(edit.text(), QStringLiteral("Fő utca"));
    QCOMPARE(beeps, 1);
    QCOMPARE(edit.maxLength(), std::numeric_limits<int>::max());
}

void TestFormWidgets::textFieldTakesAccentsSpelledApart()
{
    TEdit edit;
    edit.setText(QStringLiteral("Fő utca"));
    edit.setCursorPosition(3);
    // As a paste from a PDF or from a Mac's file name brings them.
    QGuiApplication::clipboard()->setText(QStringLiteral("Kova\u0301cs \uFB01ók "));
    QTest::keySequence(&edit, QKeySequence::Paste);
    QCOMPARE(edit.text(), QStringLiteral("Fő Kovács fiók utca"));
    QCOMPARE(edit.cursorPosition(), 15);
    QVERIFY(edit.isUndoAvailable());
    edit.undo();
    QCOMPARE(edit.text(), QStringLiteral("Fő utca"));
}

void TestFormWidgets::joiningLinesKeepsThePosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("joined");
    QTest::addColumn<int>("joinedPosition");
    QTest::newRow("no break") << "Fő utca" << 3 << "Fő utca" << 3;
    QTest::newRow("before a CR LF") << "a\r\nb" << 1 << "a b" << 1;
    QTest::newRow("inside a CR LF") << "a\r\nb" << 2 << "a b" << 2;
    QTest::newRow("after a CR LF") << "a\r\nb" << 3 << "a b" << 2;
    QTest::newRow("after two CR LF") << "\r\na\r\nb" << 6 << " a b" << 4;
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << 4 << "a  b" << 4;
    QTest::newRow("CR alone then CR LF") << "a\r\r\nb" << 5 << "a  b" << 4;
    QTest::newRow("break at the end") << "a\r\n" << 3 << "a " << 2;
}

void TestFormWidgets::joiningLinesKeepsThePosition()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, joined);
    QFETCH(int, joinedPosition);
    QCOMPARE(lineBreaksAsSpaces(text, position), joined);
    QCOMPARE(position, joinedPosition);
}

void TestFormWidgets::radioGroupReportsUserChoicesOnly()
{
    TLMDRadioGroup group({QStringLiteral("Bevallás"), QStringLiteral("Záró bevallás"), QStringLiteral("Egyéb")}, 3);
    group.setItemIndex(0);
    group.show();
    QVERIFY(QTest::qWaitForWindowActive(&group));
    QSignalSpy clicks(&group, &TLMDRadioGroup::clicked);
    const auto buttons = group.findChildren<QRadioButton *>();
    QTest::mouseClick(buttons.at(2), Qt::LeftButton);
    QCOMPARE(group.itemIndex(), 2);
    QCOMPARE(clicks.count(), 1);
    buttons.at(2)->setFocus();
    QTest::keyClick(buttons.at(2), Qt::Key_Left);
    QCOMPARE(group.itemIndex(), 1);
    QCOMPARE(clicks.count(), 2);
    group.setItemIndex(0);
    QCOMPARE(clicks.count(), 2);
}

void TestFormWidgets::radioGroupCanHoldNoChoice()
{
    TLMDRadioGroup group({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 3);
    group.setItemIndex(1);
    group.setItemIndex(-1);
    QCOMPARE(group.itemIndex(), -1);
    // With nothing chosen, the first option is the group's stop in the tab order.
    QVERIFY(group.findChildren<QRadioButton *>().at(0)->focusPolicy() & Qt::TabFocus);
    group.setItemIndex(2);
    QCOMPARE(group.itemIndex(), 2);
}

void TestFormWidgets::showPicker(TDateTimePicker &picker)
{
    RegionalSettings hungarian;
    hungarian.shortDateFormat = QStringLiteral("yyyy.MM.dd.");
    Regional::instance().setSettings(hungarian);
    picker.setDateTime(QDateTime(QDate(2010, 1, 1), QTime(12, 3, 18)));
    picker.show();
    QVERIFY(QTest::qWaitForWindowActive(&picker));
    picker.setFocus(Qt::TabFocusReason);
}

void TestFormWidgets::dateFieldTypingAndArrowsKeepTheTimeOfDay()
{
    TDateTimePicker picker;
    showPicker(picker);
    QCOMPARE(picker.text(), QStringLiteral("2010.01.01."));
    // Tabbing in selects the first part; a completed part hands over to the next.
    QTest::keyClicks(&picker, QStringLiteral("20200229"));
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2020, 2, 29), QTime(12, 3, 18)));
    QTest::keyClick(&picker, Qt::Key_Down);
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2020, 2, 28), QTime(12, 3, 18)));
    // A part erased and left empty gets its last valid value back when the field is left.
    QTest::keyClick(&picker, Qt::Key_Backspace);
    QCOMPARE(picker.text(), QStringLiteral("2020.02.."));
    picker.clearFocus();
    QCOMPARE(picker.text(), QStringLiteral("2020.02.28."));
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2020, 2, 28), QTime(12, 3, 18)));
}

void TestFormWidgets::dateFieldCalendarChoosesADay()
{
    TDateTimePicker picker;
    showPicker(picker);
    // The drop-down button sits at the right end of the field.
    QTest::mouseClick(&picker, Qt::LeftButton, Qt::NoModifier, QPoint(picker.width() - 4, picker.height() / 2));
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QVERIFY(popup->isAncestorOf(picker.calendarWidget()));
    QCOMPARE(picker.calendarWidget()->selectedDate(), QDate(2010, 1, 1));

    auto *days = picker.calendarWidget()->findChild<QTableView *>();
    QVERIFY(days);
    QTest::keyClick(days, Qt::Key_Down);
    QTest::keyClick(days, Qt::Key_Return);
    QVERIFY(!popup->isVisible());
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2010, 1, 8), QTime(12, 3, 18)));
}

void TestFormWidgets::dateFieldFollowsTheShortDateFormat()
{
    TDateTimePicker picker;
    showPicker(picker);
    RegionalSettings english;
    english.shortDateFormat = QStringLiteral("dd/MM/yy");
    Regional::instance().setSettings(english);
    QCOMPARE(picker.text(), QStringLiteral("01/01/10"));
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2010, 1, 1), QTime(12, 3, 18)));
}

void TestFormWidgets::dateFieldCalendarOpensByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("F4") << int(Qt::Key_F4) << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::AltModifier);
}

void TestFormWidgets::dateFieldCalendarOpensByKey()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    TDateTimePicker picker;
    showPicker(picker);
    QTest::keyClick(&picker, Qt::Key(key), modifiers);
    QWidget *popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QVERIFY(popup->isAncestorOf(picker.calendarWidget()));
    // The key opens the calendar and changes nothing: Alt+Down does not step the year down.
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2010, 1, 1), QTime(12, 3, 18)));

    // Escape closes it; the focus is back in the field.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2010, 1, 1), QTime(12, 3, 18)));
    QCOMPARE(QApplication::focusWidget(), &picker);

    // Opened again, the calendar chooses a day.
    QTest::keyClick(&picker, Qt::Key(key), modifiers);
    QTest::keyClick(picker.calendarWidget()->findChild<QTableView *>(), Qt::Key_Right);
    QTest::keyClick(picker.calendarWidget()->findChild<QTableView *>(), Qt::Key_Return);
    QCOMPARE(picker.dateTime(), QDateTime(QDate(2010, 1, 2), QTime(12, 3, 18)));
}

// Readers take a numeric value before the text; the date must be heard as shown, never as 0.
void TestFormWidgets::dateFieldIsReadAsItsText()
{
    TDateTimePicker picker;
    showPicker(picker);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&picker);
    QVERIFY(!accessible->valueInterface());
    QCOMPARE(accessible->text(QAccessible::Value), QStringLiteral("2010.01.01."));
    QAccessibleTextInterface *text = accessible->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 11);
    QCOMPARE(text->text(5, 7), QStringLiteral("01"));

    // Tabbing in selects the year; the reader gets the selection and sets the caret.
    int start = -1;
    int end = -1;
    text->selection(0, &start, &end);
    QCOMPARE(text->selectionCount(), 1);
    QCOMPARE(start, 0);
    QCOMPARE(end, 4);
    text->setCursorPosition(8);
    QCOMPARE(text->selectionCount(), 0);
    QCOMPARE(text->cursorPosition(), 8);

    // Each character's place on screen, one after the other along the line, and back again.
    const QRect year = text->characterRect(0);
    const QRect day = text->characterRect(8);
    QVERIFY(year.width() > 0 && year.height() > 0);
    QVERIFY(day.left() > year.right());
    QCOMPARE(year.top(), day.top());
    QCOMPARE(text->offsetAtPoint(day.center()), 8);
    QVERIFY(picker.rect().contains(picker.mapFromGlobal(day.center())));

    QTest::keyClick(&picker, Qt::Key_Up);
    QCOMPARE(accessible->text(QAccessible::Value), picker.text());
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("2010.01.02."));
}

QTEST_MAIN(TestFormWidgets)
#include "tst_formwidgets.moc"
