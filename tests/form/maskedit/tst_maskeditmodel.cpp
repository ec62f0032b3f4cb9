#include "form/maskedit/editmask.h"
#include "form/maskedit/maskeditkeys.h"
#include "form/maskedit/maskeditmodel.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

const QString taxIdMask = QStringLiteral("0000000000");
const QString taxNumberMask = QStringLiteral("00000000\\-0\\-00");
const QString statisticalCodeMask = QStringLiteral("00000000\\-0000\\-000\\-00");
const QString bankAccountMask = QStringLiteral("00000000\\-00000000\\-00000000");
const QString postcodeMask = QStringLiteral("0000");
const QString taxNumberTemplate = QStringLiteral("********-*-**");

int maxLengthOf(const QString &mask)
{
    return mask == postcodeMask ? 9 : int(EditMask(mask).size());
}

// A field configured as the main window configures it: MaxLength, BlankChar, then Mask.
struct Field
{
    explicit Field(const QString &mask)
        : model(mode)
    {
        model.setMaxLength(maxLengthOf(mask));
        model.setBlankChar(u'*');
        model.setMask(mask);
    }

    SharedEditMode mode;
    MaskEditModel model;
};

// Runs a key script: plain characters are typed, {NAME} is a key.
void runScript(MaskEditModel &model, const QString &script)
{
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script.at(i) != u'{') {
            model.typeCharacter(script.at(i));
            continue;
        }
        const qsizetype close = script.indexOf(u'}', i);
        const QString key = script.mid(i + 1, close - i - 1);
        i = close;
        if (key == u"BS")
            model.backspace();
        else if (key == u"DEL")
            model.deleteForward();
        else if (key == u"LEFT")
            model.cursorBackward(false);
        else if (key == u"RIGHT")
            model.cursorForward(false);
        else if (key == u"SHIFTRIGHT")
            model.cursorForward(true);
        else if (key == u"HOME")
            model.home(false);
        else if (key == u"END")
            model.end(false);
        else if (key == u"WORDLEFT")
            model.wordBackward(false);
        else if (key == u"WORDRIGHT")
            model.wordForward(false);
        else if (key == u"INS")
            model.editMode().toggle();
        else if (key == u"SELALL")
            model.selectAll();
        else if (key == u"UNDO")
            model.undo();
        else if (key == u"RO")
            model.setReadOnly(true);
        else
            QFAIL(qPrintable(QStringLiteral("unknown key in script: ") + key));
    }
}

} // namespace

class TestMaskEditModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void blankTemplateAndFit_data();
    void blankTemplateAndFit();
    void freshFieldShowsItsTemplateWithTheCaretAtTheStart_data();
    void freshFieldShowsItsTemplateWithTheCaretAtTheStart();
    void editing_data();
    void editing();
    void settingTheText_data();
    void settingTheText();
    void settingTheSameTextLeavesCaretAndSelection();
    void settingTheTextDoesNotMoveTheRestorePoint();
    void changingTheMaskShowsTheNewTemplate();
    void maxLengthLimitsSetTextAndEdits();
    void editRecordsRestorePointAndModifiedEvenWhenUndone();
    void keysThatClearNothingStillEdit_data();
    void keysThatClearNothingStillEdit();
    void clipboard_data();
    void clipboard();
    void typingSwitchesTheSharedModeForEveryField();
    void clickBeyondTheTextGoesToTheFirstBlankDigit_data();
    void clickBeyondTheTextGoesToTheFirstBlankDigit();
    void doubleClickWordIsTheGroupBetweenLiterals_data();
    void doubleClickWordIsTheGroupBetweenLiterals();
    void keyTable_data();
    void keyTable();
    void anyKeySequenceKeepsTheTextInShape();
};

void TestMaskEditModel::blankTemplateAndFit_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("blankTemplate");
    QTest::addColumn<bool>("fits");
    QTest::newRow("template fits") << taxNumberMask << taxNumberTemplate << taxNumberTemplate << true;
    QTest::newRow("full number fits") << taxNumberMask << "12345678-9-01" << taxNumberTemplate << true;
    QTest::newRow("empty text fits") << taxNumberMask << "" << taxNumberTemplate << true;
    QTest::newRow("shorter text fits") << taxNumberMask << "123" << taxNumberTemplate << true;
    QTest::newRow("blank on a literal fits") << taxNumberMask << "12345678*9-01" << taxNumberTemplate << true;
    QTest::newRow("digit on a literal") << taxNumberMask << "123456789" << taxNumberTemplate << false;
    QTest::newRow("letter on a digit") << taxNumberMask << "1234a" << taxNumberTemplate << false;
    QTest::newRow("wrong literal") << taxNumberMask << "12345678/9" << taxNumberTemplate << false;
    QTest::newRow("longer than the template") << postcodeMask << "12345" << "****" << false;
    QTest::newRow("statistical code") << statisticalCodeMask << "12345678-1234-123-12"
                                      << "********-****-***-**" << true;
    QTest::newRow("other pattern characters are literals") << "00/00" << "12/34" << "**/**" << true;
    QTest::newRow("trailing backslash is itself") << "0\\" << "1\\" << "*\\" << true;
    QTest::newRow("empty mask takes only the empty text") << "" << "1" << "" << false;
}

void TestMaskEditModel::blankTemplateAndFit()
{
    QFETCH(QString, mask);
    QFETCH(QString, text);
    QFETCH(QString, blankTemplate);
    QFETCH(bool, fits);
    const EditMask editMask(mask);
    QCOMPARE(editMask.blankTemplate(u'*'), blankTemplate);
    QCOMPARE(editMask.fits(text, u'*'), fits);
}

void TestMaskEditModel::freshFieldShowsItsTemplateWithTheCaretAtTheStart_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("text");
    QTest::newRow("tax identification mark") << taxIdMask << "**********";
    QTest::newRow("tax number") << taxNumberMask << taxNumberTemplate;
    QTest::newRow("statistical code") << statisticalCodeMask << "********-****-***-**";
    QTest::newRow("bank account") << bankAccountMask << "********-********-********";
    QTest::newRow("postcode") << postcodeMask << "****";
}

void TestMaskEditModel::freshFieldShowsItsTemplateWithTheCaretAtTheStart()
{
    QFETCH(QString, mask);
    QFETCH(QString, text);
    Field field(mask);
    field.model.resetToBlankTemplate();
    QCOMPARE(field.model.text(), text);
    QCOMPARE(field.model.cursorPosition(), 0);
    QVERIFY(!field.model.hasSelection());
    QVERIFY(!field.model.isModified());
}

void TestMaskEditModel::editing_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caretAfter");

    const QString full = QStringLiteral("12345678-9-01");
    QTest::newRow("eight digits stop on the separator") << taxNumberMask << taxNumberTemplate << 0 << "12345678"
                                                        << "12345678-*-**" << 8;
    QTest::newRow("ninth digit is ignored") << taxNumberMask << taxNumberTemplate << 0 << "123456789"
                                            << "12345678-*-**" << 8;
    QTest::newRow("separator steps over itself") << taxNumberMask << taxNumberTemplate << 0 << "12345678-"
                                                 << "12345678-*-**" << 9;
    QTest::newRow("next digit fills the tenth position") << taxNumberMask << taxNumberTemplate << 0
                                                         << "12345678-9" << "12345678-9-**" << 10;
    QTest::newRow("whole tax number") << taxNumberMask << taxNumberTemplate << 0 << full << full << 13;
    QTest::newRow("right arrow steps over the separator") << taxNumberMask << taxNumberTemplate << 8
                                                          << "{RIGHT}5" << "********-5-**" << 10;
    QTest::newRow("letter is ignored") << taxNumberMask << full << 0 << "a" << full << 0;
    QTest::newRow("star on a digit") << taxNumberMask << full << 0 << "*" << "*2345678-9-01" << 1;
    QTest::newRow("star on a literal") << taxNumberMask << full << 8 << "*" << "12345678*9-01" << 9;
    QTest::newRow("star on the last position") << taxNumberMask << full << 12 << "*" << "12345678-9-0*" << 13;
    QTest::newRow("fifth postcode digit is ignored") << postcodeMask << "****" << 0 << "12345" << "1234" << 4;
    QTest::newRow("typing past the end of a short text appends") << postcodeMask << "12" << 2 << "3" << "123"
                                                                 << 3;
    QTest::newRow("typing replaces the first selected character")
        << taxNumberMask << full << 0 << "{SELALL}5" << "52345678-9-01" << 1;

    QTest::newRow("backspace clears the digit before the caret") << taxNumberMask << full << 3 << "{BS}"
                                                                 << "12*45678-9-01" << 2;
    QTest::newRow("backspace over a separator only moves") << taxNumberMask << full << 9 << "{BS}" << full << 8;
    QTest::newRow("backspace at the start in overwrite mode keeps the text")
        << taxIdMask << "1234567890" << 0 << "{INS}{BS}" << "1234567890" << 0;
    QTest::newRow("backspace clears a selection to the template")
        << taxNumberMask << full << 0 << "{SELALL}{BS}" << taxNumberTemplate << 0;
    QTest::newRow("delete clears the same position again and again") << taxNumberMask << full << 2
                                                                      << "{DEL}{RIGHT}{LEFT}{DEL}"
                                                                      << "12*45678-9-01" << 2;
    QTest::newRow("delete on a separator keeps it and the caret") << taxNumberMask << full << 8 << "{DEL}" << full
                                                                  << 8;
    QTest::newRow("delete after the last character does nothing") << taxIdMask << "1234567890" << 10
                                                                   << "{INS}{DEL}" << "1234567890" << 10;
    QTest::newRow("delete clears a selection and keeps the caret")
        << taxNumberMask << full << 7 << "{SHIFTRIGHT}{SHIFTRIGHT}{SHIFTRIGHT}{DEL}" << "1234567*-*-01" << 10;

    QTest::newRow("left stops at the start") << postcodeMask << "1234" << 0 << "{LEFT}" << "1234" << 0;
    QTest::newRow("right stops after the last character") << postcodeMask << "1234" << 4 << "{RIGHT}" << "1234"
                                                           << 4;
    QTest::newRow("end and home") << postcodeMask << "1234" << 2 << "{END}9{HOME}" << "1234" << 0;
    QTest::newRow("word right jumps to the next group") << bankAccountMask << "********-********-********" << 3
                                                        << "{WORDRIGHT}" << "********-********-********" << 9;
    QTest::newRow("word left jumps to the group start") << taxNumberMask << full << 13 << "{WORDLEFT}{WORDLEFT}"
                                                        << full << 9;

    QTest::newRow("undo brings back the text before the edit") << taxNumberMask << taxNumberTemplate << 0
                                                               << "12{UNDO}" << "1*******-*-**" << 1;
    QTest::newRow("undo twice redoes") << taxNumberMask << taxNumberTemplate << 0 << "12{UNDO}{UNDO}"
                                       << "12******-*-**" << 2;
    QTest::newRow("read-only field refuses typing and deleting") << postcodeMask << "1234" << 2 << "{RO}5{BS}{DEL}"
                                                                 << "1234" << 2;
}

void TestMaskEditModel::editing()
{
    QFETCH(QString, mask);
    QFETCH(QString, start);
    QFETCH(int, caret);
    QFETCH(QString, script);
    QFETCH(QString, text);
    QFETCH(int, caretAfter);

    Field field(mask);
    field.model.setText(start);
    QCOMPARE(field.model.text(), start);
    field.model.moveCursor(caret);
    runScript(field.model, script);
    QCOMPARE(field.model.text(), text);
    QCOMPARE(field.model.cursorPosition(), caretAfter);
    QVERIFY(!field.model.hasSelection());
}

void TestMaskEditModel::settingTheText_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<QString>("text");

    QTest::newRow("four postcode digits are shown") << postcodeMask << "" << "1234" << "1234";
    QTest::newRow("a shorter text is taken as it is") << postcodeMask << "" << "12" << "12";
    QTest::newRow("five characters are refused: never edited shows empty")
        << postcodeMask << "" << "12345" << "";
    QTest::newRow("five characters are refused: edited shows the text before the last edit")
        << postcodeMask << "12" << "12345" << "1***";
    QTest::newRow("a wrong character is refused") << taxNumberMask << "" << "1234567a-1-12" << "";
    QTest::newRow("a longer text is cut to MaxLength before the fit")
        << taxIdMask << "" << "12345678901" << "1234567890";
    QTest::newRow("a saved tax number comes back as saved") << taxNumberMask << "99" << "12345678-9-01"
                                                            << "12345678-9-01";
}

void TestMaskEditModel::settingTheText()
{
    QFETCH(QString, mask);
    QFETCH(QString, typed);
    QFETCH(QString, newText);
    QFETCH(QString, text);

    Field field(mask);
    runScript(field.model, typed);
    field.model.setText(newText);
    QCOMPARE(field.model.text(), text);
    QCOMPARE(field.model.cursorPosition(), 0);
    QVERIFY(!field.model.hasSelection());
}

void TestMaskEditModel::settingTheSameTextLeavesCaretAndSelection()
{
    Field field(taxNumberMask);
    field.model.setSelection(2, 3);
    field.model.setText(taxNumberTemplate);
    QCOMPARE(field.model.cursorPosition(), 5);
    QCOMPARE(field.model.selectionStart(), 2);
    QCOMPARE(field.model.selectionLength(), 3);

    field.model.setText(QStringLiteral("12345678-9-01"));
    QCOMPARE(field.model.cursorPosition(), 0);
    QVERIFY(!field.model.hasSelection());
}

void TestMaskEditModel::settingTheTextDoesNotMoveTheRestorePoint()
{
    Field field(postcodeMask);
    runScript(field.model, QStringLiteral("7"));
    QCOMPARE(field.model.restorePoint(), QStringLiteral("****"));
    field.model.setText(QStringLiteral("1234"));
    QCOMPARE(field.model.restorePoint(), QStringLiteral("****"));
    field.model.setText(QStringLiteral("x"));
    QCOMPARE(field.model.text(), QStringLiteral("****"));
}

void TestMaskEditModel::changingTheMaskShowsTheNewTemplate()
{
    Field field(taxNumberMask);
    runScript(field.model, QStringLiteral("12"));
    field.model.setMask(taxNumberMask);
    QCOMPARE(field.model.text(), QStringLiteral("12******-*-**"));
    field.model.setMask(postcodeMask);
    QCOMPARE(field.model.text(), QStringLiteral("****"));
    QCOMPARE(field.model.cursorPosition(), 0);
}

void TestMaskEditModel::maxLengthLimitsSetTextAndEdits()
{
    SharedEditMode mode;
    MaskEditModel model(mode);
    model.setMaxLength(3);
    model.setBlankChar(u'*');
    model.setMask(postcodeMask);
    QCOMPARE(model.text(), QStringLiteral("***"));
    model.setText(QStringLiteral("1234"));
    QCOMPARE(model.text(), QStringLiteral("123"));
    model.end(false);
    model.paste(QStringLiteral("4"));
    model.typeCharacter(u'*');
    QCOMPARE(model.text(), QStringLiteral("123"));
    QCOMPARE(model.cursorPosition(), 3);
}

void TestMaskEditModel::editRecordsRestorePointAndModifiedEvenWhenUndone()
{
    Field field(taxNumberMask);
    field.model.setText(QStringLiteral("12345678-9-01"));
    QVERIFY(!field.model.isModified());
    field.model.setSelection(0, 2);
    field.model.cut();
    QCOMPARE(field.model.text(), QStringLiteral("12345678-9-01"));
    QCOMPARE(field.model.restorePoint(), QStringLiteral("12345678-9-01"));
    QVERIFY(field.model.isModified());
}

// Backspace before the first character and Delete after the last replace nothing, but they are
// edits all the same: a refused outside text then falls back to the text they left. In overwrite
// mode Backspace there is no edit at all, since it would take the first character.
void TestMaskEditModel::keysThatClearNothingStillEdit_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("edited");
    QTest::newRow("backspace at the start") << "{BS}" << 0 << true;
    QTest::newRow("backspace at the start in overwrite mode") << "{INS}{BS}" << 0 << false;
    QTest::newRow("delete at the end") << "{DEL}" << 13 << true;
    QTest::newRow("delete at the end in overwrite mode") << "{INS}{DEL}" << 13 << true;
}

void TestMaskEditModel::keysThatClearNothingStillEdit()
{
    QFETCH(QString, script);
    QFETCH(int, caret);
    QFETCH(bool, edited);
    const QString full = QStringLiteral("12345678-9-01");
    Field field(taxNumberMask);
    field.model.setText(full);
    field.model.moveCursor(caret);
    runScript(field.model, script);
    QCOMPARE(field.model.text(), full);
    QCOMPARE(field.model.cursorPosition(), caret);
    QCOMPARE(field.model.isModified(), edited);
    field.model.setText(QStringLiteral("x"));
    QCOMPARE(field.model.text(), edited ? full : QString());
}

void TestMaskEditModel::clipboard_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("copied");

    const QString full = QStringLiteral("12345678-9-01");
    const QString noPaste; // a null text marks a cut
    QTest::newRow("paste one digit over a selected blank")
        << taxNumberMask << taxNumberTemplate << 0 << 1 << false << "5" << "5*******-*-**" << 1 << "";
    QTest::newRow("paste a whole number over the whole text")
        << taxNumberMask << taxNumberTemplate << 0 << 13 << false << full << full << 13 << "";
    QTest::newRow("paste of two characters in insert mode is dropped")
        << taxNumberMask << taxNumberTemplate << 3 << 0 << false << "12" << taxNumberTemplate << 3 << "";
    QTest::newRow("overwrite paste: the removal is undone when literals would shift")
        << taxNumberMask << full << 0 << 0 << true << "12" << full << 0 << "";
    QTest::newRow("overwrite paste: the removal stays when only digits follow")
        << taxIdMask << "1234567890" << 0 << 0 << true << "12" << "234567890" << 0 << "";
    QTest::newRow("cut before a literal is undone") << taxNumberMask << full << 0 << 2 << false << noPaste << full
                                                    << 0 << "12";
    QTest::newRow("cut of trailing digits stays") << taxIdMask << "1234567890" << 8 << 2 << false << noPaste
                                                  << "12345678" << 8 << "90";
    QTest::newRow("cut without a selection in overwrite mode removes one character")
        << taxIdMask << "1234567890" << 9 << 0 << true << noPaste << "123456789" << 9 << "";
    QTest::newRow("cut without a selection in insert mode removes nothing")
        << taxIdMask << "1234567890" << 9 << 0 << false << noPaste << "1234567890" << 9 << "";
}

void TestMaskEditModel::clipboard()
{
    QFETCH(QString, mask);
    QFETCH(QString, start);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(bool, overwrite);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, copied);

    Field field(mask);
    field.model.setText(start);
    field.mode.setOverwrite(overwrite);
    field.model.setSelection(selectionStart, selectionLength);
    if (pasted.isNull())
        QCOMPARE(field.model.cut(), copied);
    else
        field.model.paste(pasted);
    QCOMPARE(field.model.text(), text);
    QCOMPARE(field.model.cursorPosition(), caret);
    QVERIFY(!field.model.hasSelection());
}

void TestMaskEditModel::typingSwitchesTheSharedModeForEveryField()
{
    SharedEditMode mode;
    MaskEditModel typedInto(mode);
    MaskEditModel other(mode);
    other.setBlankChar(u'*');
    other.setMask(taxIdMask);
    other.setText(QStringLiteral("1234567890"));

    typedInto.typeCharacter(u'1');
    QVERIFY(mode.isOverwrite());
    other.paste(QStringLiteral("12"));
    QCOMPARE(other.text(), QStringLiteral("234567890"));

    mode.toggle();
    other.setText(QStringLiteral("1234567890"));
    other.paste(QStringLiteral("12"));
    QCOMPARE(other.text(), QStringLiteral("1234567890"));
}

void TestMaskEditModel::clickBeyondTheTextGoesToTheFirstBlankDigit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::newRow("blank template") << taxNumberTemplate << 0;
    QTest::newRow("past a filled group and its literal") << "12345678-*-**" << 9;
    QTest::newRow("a blanked literal is no place for a digit") << "12345678*9-**" << 11;
    QTest::newRow("full") << "12345678-9-01" << 13;
    QTest::newRow("shorter than the template, no blank") << "1234" << 4;
    QTest::newRow("empty") << "" << 0;
}

void TestMaskEditModel::clickBeyondTheTextGoesToTheFirstBlankDigit()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    Field field(taxNumberMask);
    field.model.setText(text);
    QCOMPARE(field.model.text(), text);
    field.model.setSelection(1, 3);
    field.model.moveCursorBeyondText();
    QCOMPARE(field.model.cursorPosition(), caret);
    QVERIFY(!field.model.hasSelection());
}

void TestMaskEditModel::doubleClickWordIsTheGroupBetweenLiterals_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::newRow("first group") << 3 << 0 << 8;
    QTest::newRow("separator alone") << 8 << 8 << 1;
    QTest::newRow("one-digit group") << 9 << 9 << 1;
    QTest::newRow("past the end: last group") << 13 << 11 << 2;
}

void TestMaskEditModel::doubleClickWordIsTheGroupBetweenLiterals()
{
    QFETCH(int, position);
    QFETCH(int, start);
    QFETCH(int, length);
    Field field(taxNumberMask);
    field.model.selectWordAt(position);
    QCOMPARE(field.model.selectionStart(), start);
    QCOMPARE(field.model.selectionLength(), length);
}

void TestMaskEditModel::keyTable_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<MaskEditCommand>("command");
    QTest::addColumn<bool>("extend");

    const Qt::KeyboardModifiers none;
    QTest::newRow("up moves left") << int(Qt::Key_Up) << none << MaskEditCommand::CursorBackward << false;
    QTest::newRow("down moves right") << int(Qt::Key_Down) << none << MaskEditCommand::CursorForward << false;
    QTest::newRow("keypad right") << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::KeypadModifier)
                                  << MaskEditCommand::CursorForward << false;
    QTest::newRow("shift+left extends") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                        << MaskEditCommand::CursorBackward << true;
    QTest::newRow("ctrl+shift+right extends by a word")
        << int(Qt::Key_Right) << (Qt::ControlModifier | Qt::ShiftModifier) << MaskEditCommand::WordForward << true;
    QTest::newRow("shift+end extends") << int(Qt::Key_End) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                       << MaskEditCommand::End << true;
    QTest::newRow("insert toggles") << int(Qt::Key_Insert) << none << MaskEditCommand::ToggleEditMode << false;
    QTest::newRow("shift+insert pastes") << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                         << MaskEditCommand::Paste << false;
    QTest::newRow("ctrl+insert copies") << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                        << MaskEditCommand::Copy << false;
    QTest::newRow("shift+delete still deletes") << int(Qt::Key_Delete) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                                << MaskEditCommand::Delete << false;
    QTest::newRow("shift+backspace still clears")
        << int(Qt::Key_Backspace) << Qt::KeyboardModifiers(Qt::ShiftModifier) << MaskEditCommand::Backspace << false;
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier)
                            << MaskEditCommand::SelectAll << false;
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier) << MaskEditCommand::Cut
                            << false;
    QTest::newRow("escape deselects") << int(Qt::Key_Escape) << none << MaskEditCommand::Deselect << false;
    QTest::newRow("plain a is typing") << int(Qt::Key_A) << none << MaskEditCommand::None << false;
    QTest::newRow("enter stays with the window") << int(Qt::Key_Return) << none << MaskEditCommand::None << false;
    QTest::newRow("tab stays with the window") << int(Qt::Key_Tab) << none << MaskEditCommand::None << false;
    QTest::newRow("alt+left stays with the window") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::AltModifier)
                                                    << MaskEditCommand::None << false;
}

void TestMaskEditModel::keyTable()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(MaskEditCommand, command);
    QFETCH(bool, extend);
    const MaskEditKey mapped = maskEditKey(key, modifiers);
    QCOMPARE(mapped.command, command);
    QCOMPARE(mapped.extendSelection, extend);
}

// Whatever the user does, the text keeps fitting the mask and the caret and selection stay inside it.
void TestMaskEditModel::anyKeySequenceKeepsTheTextInShape()
{
    const QString typeable = QStringLiteral("0123456789-*x");
    QRandomGenerator random(11007);
    for (const QString &mask : {taxIdMask, taxNumberMask, statisticalCodeMask, bankAccountMask, postcodeMask}) {
        Field field(mask);
        for (int step = 0; step < 3000; ++step) {
            MaskEditModel &model = field.model;
            const qsizetype somewhere = random.bounded(-2, int(model.text().size()) + 3);
            switch (random.bounded(9)) {
            case 0:
                model.backspace();
                break;
            case 1:
                model.deleteForward();
                break;
            case 2:
                model.moveCursor(somewhere, random.bounded(2) == 1);
                break;
            case 3:
                model.setSelection(somewhere, random.bounded(-3, 4));
                break;
            case 4:
                model.paste(model.text().mid(random.bounded(int(model.text().size()) + 1), random.bounded(3)));
                break;
            case 5:
                model.cut();
                break;
            case 6:
                field.mode.toggle();
                break;
            case 7:
                model.undo();
                break;
            default:
                model.typeCharacter(typeable.at(random.bounded(int(typeable.size()))));
                break;
            }
            QVERIFY2(model.fits(model.text()), qPrintable(mask + u' ' + model.text()));
            QVERIFY(model.cursorPosition() >= 0 && model.cursorPosition() <= model.text().size());
            QVERIFY(model.selectionStart() >= 0);
            QVERIFY(model.selectionStart() + model.selectionLength() <= model.text().size());
        }
    }
}

QTEST_APPLESS_MAIN(TestMaskEditModel)
#include "tst_maskeditmodel.moc"
