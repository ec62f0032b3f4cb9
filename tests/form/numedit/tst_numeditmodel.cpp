#include "common/exception.h"
#include "form/numedit/numeditmodel.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

// Texts with their caret or selection: "12|34" has the caret at 2, "1[23]4" has "23" selected.
// Key scripts type their characters, except that '\b' presses Backspace and '\x7f' presses Delete.
namespace {

RegionalSettings commaAndSpace()
{
    RegionalSettings settings;
    settings.decimalSeparator = u',';
    settings.thousandSeparator = u' ';
    return settings;
}

NumEditModel modelAt(const QString &marked)
{
    NumEditModel model(commaAndSpace());
    QString text = marked;
    const int caret = int(text.indexOf(u'|'));
    if (caret >= 0) {
        text.remove(caret, 1);
        model.setText(text);
        model.setSelection(caret, 0);
        return model;
    }
    const int open = int(text.indexOf(u'['));
    const int close = int(text.indexOf(u']'));
    text.remove(close, 1);
    text.remove(open, 1);
    model.setText(text);
    model.setSelection(open, close - open - 1);
    return model;
}

QString marked(const NumEditModel &model)
{
    QString text = model.text();
    if (model.selectionLength() == 0)
        return text.insert(model.selectionStart(), u'|');
    text.insert(model.selectionStart() + model.selectionLength(), u']');
    return text.insert(model.selectionStart(), u'[');
}

// Returns the number of refused characters.
int play(NumEditModel &model, const QString &keys)
{
    int refused = 0;
    for (QChar key : keys) {
        if (key == u'\b')
            model.pressBackspace();
        else if (key == u'\x7f')
            model.pressDelete();
        else if (!model.typeCharacter(key))
            ++refused;
    }
    return refused;
}

void addEditingColumns()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("beeps");
}

} // namespace

class TestNumEditModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typing_data();
    void typing();
    void deletion_data();
    void deletion();
    void paste_data();
    void paste();
    void overlongPasteStopsAtTheTypedLength();
    void randomEditingKeepsTheNumberShape();
    void copyAndCutDropThousandsSeparators();
    void readOnlyFieldIgnoresEditing();
    void leavingRewritesIntoDisplayForm_data();
    void leavingRewritesIntoDisplayForm();
    void leavingAnUnconvertibleTextFailsAndKeepsIt();
    void rangeCheckOnLeavingNamesTheViolatedBound();
    void enteringSelectsAllAndAClickThatEntersKeepsIt();
    void decimalsAreClampedAndRewriteTheText();
    void integerFieldRefusesTheDecimalSeparator();
    void numberFormatAlwaysRewritesTheText();
    void valueWriteLeavesAnIdenticalTextAlone();
    void textWriteIsVerbatimAndReadingItFails();
};

void TestNumEditModel::typing_data()
{
    addEditingColumns();
    QTest::newRow("digits over the selected zero") << "[0]" << "1234567" << "1234567|" << 0;
    QTest::newRow("minus then digit") << "[0]" << "-5" << "-5|" << 0;
    QTest::newRow("comma is the separator") << "[0]" << "12,5" << "12,5|" << 0;
    QTest::newRow("full stop is refused") << "[0]" << "12.5" << "125|" << 1;
    QTest::newRow("letters and blanks are refused") << "[0]" << "a x" << "[0]" << 3;
    QTest::newRow("second separator jumps behind the first") << "12,|5" << "," << "12,|5" << 0;
    QTest::newRow("separator goes to the end") << "1|23" << "," << "123,|" << 0;
    QTest::newRow("separator goes before the exponent") << "12E|3" << "," << "12,|E3" << 0;
    QTest::newRow("small e is appended as E") << "12|3" << "e" << "123E|" << 0;
    QTest::newRow("second E jumps behind the first") << "1|E5" << "E" << "1E|5" << 0;
    QTest::newRow("separator collapses the selection") << "[12]3" << "," << "123,|" << 0;
    QTest::newRow("digit replaces the leading zero") << "0|" << "7" << "7|" << 0;
    QTest::newRow("digit after the zero of 0,5") << "0|,5" << "3" << "3|,5" << 0;
    QTest::newRow("digit replaces the zero after the sign") << "-0|" << "5" << "-5|" << 0;
    QTest::newRow("nothing is typed before the sign") << "|-12" << "3" << "-3|12" << 0;
    QTest::newRow("minus adds the sign") << "1|2" << "-" << "-1|2" << 0;
    QTest::newRow("minus removes the sign") << "-1|2" << "-" << "1|2" << 0;
    QTest::newRow("minus after E signs the exponent") << "1E|5" << "-" << "1E-|5" << 0;
    QTest::newRow("minus after E unsigns the exponent") << "1E-5|" << "-" << "1E5|" << 0;
    QTest::newRow("minus before E signs the number") << "1|E5" << "-" << "-1|E5" << 0;
    QTest::newRow("nothing is typed between E and its sign") << "1E|-5" << "7" << "1E-7|5" << 0;
    QTest::newRow("digit replaces the exponent's zero") << "1E|0" << "5" << "1E5|" << 0;
    QTest::newRow("exponent up to the limit") << "1E493|" << "2" << "1E4932|" << 0;
    QTest::newRow("exponent beyond the limit beeps") << "1E493|" << "3" << "1E493|" << 1;
    QTest::newRow("negative exponent limit") << "1E-493|" << "39" << "1E-493|" << 2;
    QTest::newRow("limit counts the digits after the caret") << "1E|999" << "9" << "1E|999" << 1;
    QTest::newRow("mantissa digits are unlimited") << "1234567890123456789|" << "0" << "12345678901234567890|" << 0;
    QTest::newRow("whole selection then minus") << "[12,5]" << "-" << "-|0" << 0;
    QTest::newRow("middle selection and a digit keep the separator") << "1[2,3]4" << "9" << "19|,4" << 0;
    QTest::newRow("selection and minus") << "1[23]" << "-" << "-1|" << 0;
}

void TestNumEditModel::typing()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    QFETCH(int, beeps);
    NumEditModel model = modelAt(start);
    QCOMPARE(play(model, keys), beeps);
    QCOMPARE(marked(model), expected);
}

void TestNumEditModel::deletion_data()
{
    addEditingColumns();
    QTest::newRow("backspace after the separator") << "12,|5" << "\b" << "1|,5" << 0;
    QTest::newRow("backspace on the only digit") << "7|" << "\b" << "0|" << 0;
    QTest::newRow("backspace on -7 leaves the sign") << "-7|" << "\b" << "-|" << 0;
    QTest::newRow("backspace on the sign alone") << "-|" << "\b" << "|0" << 0;
    QTest::newRow("backspace on the sign") << "-|12" << "\b" << "|12" << 0;
    QTest::newRow("sole integer digit before the separator") << "5|,5" << "\b" << "0|,5" << 0;
    QTest::newRow("delete on the sole integer digit") << "|5,5" << "\x7f" << "0|,5" << 0;
    QTest::newRow("delete skips the separator") << "1|,5" << "\x7f" << "1,|" << 0;
    QTest::newRow("backspace skips E") << "12E|3" << "\b" << "1|E3" << 0;
    QTest::newRow("backspace skips a thousands separator") << "1 |234" << "\b" << "| 234" << 0;
    QTest::newRow("backspace at the start does nothing") << "|0" << "\b" << "|0" << 0;
    QTest::newRow("delete at the end does nothing") << "12|" << "\x7f" << "12|" << 0;
    QTest::newRow("delete removes the next digit") << "1|23" << "\x7f" << "1|3" << 0;
    QTest::newRow("whole selection becomes zero") << "[12,34]" << "\x7f" << "|0" << 0;
    QTest::newRow("selection is deleted digit by digit") << "1[23]" << "\x7f" << "1|" << 0;
    QTest::newRow("selected separator survives") << "1[2,3]4" << "\b" << "1|,4" << 0;
    QTest::newRow("selected thousands separators survive") << "1 2[34 5]67" << "\b" << "1 2| 67" << 0;
}

void TestNumEditModel::deletion()
{
    typing();
}

void TestNumEditModel::paste_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("refused");
    QTest::newRow("space between digits beeps once") << "[0]" << "12 34" << "1234|" << 1;
    QTest::newRow("each character through the filter") << "1|" << "-5,5e2" << "-15,5E2|" << 0;
    QTest::newRow("each refused character counts") << "[0]" << "a1b2" << "12|" << 2;
    QTest::newRow("replaces the selection") << "1[23]4" << "9" << "19|4" << 0;
}

void TestNumEditModel::paste()
{
    QFETCH(QString, start);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(int, refused);
    NumEditModel model = modelAt(start);
    QCOMPARE(model.paste(clipboard), refused);
    QCOMPARE(marked(model), expected);
}

void TestNumEditModel::overlongPasteStopsAtTheTypedLength()
{
    NumEditModel model = modelAt(QStringLiteral("[0]"));
    const QString clipboard(NumEditModel::maximumTypedLength + 1000, u'1');
    QCOMPARE(model.paste(clipboard), 1);
    QCOMPARE(model.text().size(), NumEditModel::maximumTypedLength);
    QVERIFY(!model.typeCharacter(u'2'));
    QVERIFY(!model.typeCharacter(u'-'));
    QCOMPARE(model.text().size(), NumEditModel::maximumTypedLength);
}

// Typing and deleting anywhere, over any selection, never leaves anything but an optional sign, digits,
// an optional separator with digits and an optional exponent; leaving then gives the display form, or
// fails with the conversion error when no digit is left before the exponent.
void TestNumEditModel::randomEditingKeepsTheNumberShape()
{
    const QRegularExpression typedShape(QStringLiteral("^-?\\d*(,\\d*)?(E-?\\d*)?$"));
    const QRegularExpression displayForm(QStringLiteral("^-?\\d+(,\\d*[1-9])?$|^-?\\d(,\\d+)?E\\d+$"));
    const QRegularExpression noMantissa(QStringLiteral("^-?E"));
    const QString keys = QStringLiteral("0123456789-,Ee\b\x7fx ");
    QRandomGenerator random(11007);
    for (int round = 0; round < 2000; ++round) {
        NumEditModel model(commaAndSpace());
        for (int step = 0; step < 12; ++step) {
            const int size = int(model.text().size());
            const int start = random.bounded(size + 1);
            model.setSelection(start, random.bounded(size - start + 1));
            play(model, QString(keys[random.bounded(int(keys.size()))]));
            QVERIFY2(typedShape.match(model.text()).hasMatch(), qPrintable(model.text()));
        }
        const QString typed = model.text();
        try {
            model.leave();
            QVERIFY2(displayForm.match(model.text()).hasMatch(), qPrintable(typed + QStringLiteral(" -> ") + model.text()));
        } catch (const EConvertError &) {
            QVERIFY2(noMantissa.match(typed).hasMatch(), qPrintable(typed));
        }
    }
}

void TestNumEditModel::copyAndCutDropThousandsSeparators()
{
    QCOMPARE(modelAt(QStringLiteral("1 2[34 5]67")).copy(), QStringLiteral("345"));
    QCOMPARE(modelAt(QStringLiteral("[-]")).copy(), QStringLiteral("-0"));
    QCOMPARE(modelAt(QStringLiteral("12|")).copy(), QStringLiteral("0"));

    NumEditModel model = modelAt(QStringLiteral("1[2,3]4"));
    QCOMPARE(model.cut(), QStringLiteral("2,3"));
    QCOMPARE(marked(model), QStringLiteral("1|,4"));
}

void TestNumEditModel::readOnlyFieldIgnoresEditing()
{
    NumEditModel model = modelAt(QStringLiteral("1[23]"));
    model.setReadOnly(true);
    QCOMPARE(play(model, QStringLiteral("5x-\b\x7f")), 0);
    QCOMPARE(model.paste(QStringLiteral("9")), 0);
    QCOMPARE(model.cut(), QStringLiteral("23"));
    QCOMPARE(marked(model), QStringLiteral("1[23]"));
}

void TestNumEditModel::leavingRewritesIntoDisplayForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lone minus") << "-" << "0";
    QTest::newRow("leading zeros") << "0012" << "12";
    QTest::newRow("exponent") << "12E3" << "12000";
    QTest::newRow("negative exponent") << "125E-1" << "12,5";
    QTest::newRow("twenty digits") << "12345678901234567890" << "1,23456789012346E19";
    QTest::newRow("trailing fraction zeros") << "12,50" << "12,5";
    QTest::newRow("trailing separator") << "12," << "12";
    QTest::newRow("thousands separators") << "1 234" << "1234";
    QTest::newRow("negative zero") << "-0,0" << "0";
}

void TestNumEditModel::leavingRewritesIntoDisplayForm()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    NumEditModel model(commaAndSpace());
    model.setText(text);
    QVERIFY(!model.leave());
    QCOMPARE(model.text(), expected);
}

void TestNumEditModel::leavingAnUnconvertibleTextFailsAndKeepsIt()
{
    // Deleting the zero of -0E leaves -E, the one typed text that is not a number.
    NumEditModel model = modelAt(QStringLiteral("-0E|"));
    play(model, QStringLiteral("\b"));
    QCOMPARE(model.text(), QStringLiteral("-E"));
    try {
        model.leave();
        QFAIL("an unconvertible text was left");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'-E' is not a valid floating point value"));
    }
    QCOMPARE(model.text(), QStringLiteral("-E"));
}

void TestNumEditModel::rangeCheckOnLeavingNamesTheViolatedBound()
{
    NumEditModel model(commaAndSpace());
    model.setText(QStringLiteral("5000"));
    QVERIFY(!model.leave());

    model.setMinValue(10);
    model.setMaxValue(100);
    model.setText(QStringLiteral("0005"));
    QVERIFY(model.leave() == 10);
    QCOMPARE(model.text(), QStringLiteral("5"));
    model.setText(QStringLiteral("500"));
    QVERIFY(model.leave() == 100);
    model.setText(QStringLiteral("50"));
    QVERIFY(!model.leave());
}

void TestNumEditModel::enteringSelectsAllAndAClickThatEntersKeepsIt()
{
    NumEditModel model = modelAt(QStringLiteral("12|34"));
    model.enter(false);
    QCOMPARE(marked(model), QStringLiteral("[1234]"));
    QVERIFY(!model.hasPendingMouseSelection());

    // The click that entered places the caret; handling that click selects everything again.
    model.enter(true);
    model.setSelection(2, 0);
    model.leftMousePressed();
    QCOMPARE(marked(model), QStringLiteral("[1234]"));
    model.setSelection(2, 0);
    model.leftMousePressed();
    QCOMPARE(marked(model), QStringLiteral("12|34"));

    model.enter(true);
    model.keyWentDown();
    QVERIFY(!model.hasPendingMouseSelection());

    model.setAutoSelect(false);
    model.setSelection(1, 0);
    model.enter(false);
    QCOMPARE(marked(model), QStringLiteral("1|234"));
}

void TestNumEditModel::decimalsAreClampedAndRewriteTheText()
{
    NumEditModel model(commaAndSpace());
    model.setText(QStringLiteral("12,5"));
    model.setDecimals(2);
    QCOMPARE(model.text(), QStringLiteral("12,50"));
    model.setDecimals(0);
    QCOMPARE(model.text(), QStringLiteral("13"));
    model.setDecimals(20);
    QCOMPARE(model.decimals(), 14);
    model.setDecimals(-7);
    QCOMPARE(model.decimals(), -1);

    // An unchanged setting does not touch the text.
    model.setText(QStringLiteral("0012"));
    model.setDecimals(-1);
    QCOMPARE(model.text(), QStringLiteral("0012"));

    model.setText(QStringLiteral("abc"));
    QVERIFY_THROWS_EXCEPTION(EConvertError, model.setDecimals(3));
    QCOMPARE(model.decimals(), -1);
}

void TestNumEditModel::integerFieldRefusesTheDecimalSeparator()
{
    NumEditModel model = modelAt(QStringLiteral("12|"));
    model.setDecimals(0);
    model.setSelection(2, 0);
    QCOMPARE(play(model, QStringLiteral(",3")), 1);
    QCOMPARE(model.text(), QStringLiteral("123"));
}

void TestNumEditModel::numberFormatAlwaysRewritesTheText()
{
    NumEditModel model(commaAndSpace());
    model.setText(QStringLiteral("0012"));
    model.setNumberFormat(NumberFormat::Standard);
    QCOMPARE(model.text(), QStringLiteral("12"));
    model.setText(QStringLiteral("1234567"));
    model.setNumberFormat(NumberFormat::Thousands);
    QCOMPARE(model.text(), QStringLiteral("1 234 567"));
    QVERIFY(model.value().toExtended() == 1234567.0L);
}

void TestNumEditModel::valueWriteLeavesAnIdenticalTextAlone()
{
    NumEditModel model = modelAt(QStringLiteral("2[10]0"));
    model.setValue(2100);
    QCOMPARE(marked(model), QStringLiteral("2[10]0"));
    model.setValue(-12.5L);
    QCOMPARE(marked(model), QStringLiteral("|-12,5"));
}

void TestNumEditModel::textWriteIsVerbatimAndReadingItFails()
{
    NumEditModel model = modelAt(QStringLiteral("1|2"));
    model.setText(QStringLiteral("kilenc"));
    QCOMPARE(marked(model), QStringLiteral("|kilenc"));
    try {
        (void)model.value();
        QFAIL("letters were read as a number");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'kilenc' is not a valid floating point value"));
    }
}

QTEST_APPLESS_MAIN(TestNumEditModel)
#include "tst_numeditmodel.moc"
