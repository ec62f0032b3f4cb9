#include "dialogs/dialoggeometry.h"
#include "dialogs/dialogtables.h"
#include "dialogs/languagetable.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>

using namespace MessDlgs;

Q_DECLARE_METATYPE(TMsgDlgButtons)
Q_DECLARE_METATYPE(std::optional<TMsgDlgBtn>)

namespace {

// A font whose letters average 6 pixels and whose lines are 13 pixels high.
constexpr DialogUnits fixedUnits{6, 13};

} // namespace

class TestDialogRules : public QObject
{
    Q_OBJECT

private slots:
    void dialogUnitsRoundToNearestPixel_data();
    void dialogUnitsRoundToNearestPixel();
    void messageBoxGeometry_data();
    void messageBoxGeometry();
    void messageTextWrapsAtHalfTheScreenWidth();
    void inputBoxGeometry();
    void centredPosition_data();
    void centredPosition();
    void defaultAndCancelButtons_data();
    void defaultAndCancelButtons();
    void englishAndHungarianRows_data();
    void englishAndHungarianRows();
    void everyRowHasTitlesAndCaptions();
    void languageOutsideTheTableFallsBackToEnglish();
};

void TestDialogRules::dialogUnitsRoundToNearestPixel_data()
{
    QTest::addColumn<int>("averageCharWidth");
    QTest::addColumn<int>("charHeight");
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");

    // Halves round up, anything less down.
    QTest::newRow("8 units of 6 x 16") << 6 << 16 << 8 << 12 << 16;
    QTest::newRow("10 units of 5 x 13") << 5 << 13 << 10 << 13 << 16;  // 12.5, 16.25
    QTest::newRow("14 units of 7 x 13") << 7 << 13 << 14 << 25 << 23;  // 24.5, 22.75
    QTest::newRow("50 units of 7 x 12") << 7 << 12 << 50 << 88 << 75;  // 87.5, 75
    QTest::newRow("1 unit of 5 x 12") << 5 << 12 << 1 << 1 << 2;       // 1.25, 1.5
    QTest::newRow("0 units") << 7 << 15 << 0 << 0 << 0;
}

void TestDialogRules::dialogUnitsRoundToNearestPixel()
{
    QFETCH(int, averageCharWidth);
    QFETCH(int, charHeight);
    QFETCH(int, units);
    const DialogUnits dialogUnits{averageCharWidth, charHeight};
    QTEST(dialogUnits.horizontal(units), "horizontal");
    QTEST(dialogUnits.vertical(units), "vertical");
}

// With fixedUnits: margins 12 x 13, spacing 15 x 16, buttons 75 x 23, 6 apart.
void TestDialogRules::messageBoxGeometry_data()
{
    QTest::addColumn<QSize>("textSize");
    QTest::addColumn<int>("labelHeight");
    QTest::addColumn<bool>("hasIcon");
    QTest::addColumn<int>("buttonCount");
    QTest::addColumn<QSize>("clientSize");
    QTest::addColumn<QRect>("messageRect");
    QTest::addColumn<QList<int>>("buttonLefts");
    QTest::addColumn<int>("buttonTop");

    // One line beside the icon: the icon decides the height, the text and icon the width.
    QTest::newRow("short text, icon, OK")
        << QSize(60, 13) << 26 << true << 1 << QSize(131, 97) << QRect(59, 13, 60, 26) << QList<int>{28} << 61;
    // Text wrapped to three lines at half the screen width: the text decides width and height.
    QTest::newRow("wrapped text, icon, three buttons")
        << QSize(400, 39) << 39 << true << 3 << QSize(471, 104) << QRect(59, 13, 400, 78)
        << QList<int>{117, 198, 279} << 68;
    // A narrow text without icon: the button row decides the width, the text sits at the margin.
    QTest::newRow("narrow custom text, four buttons")
        << QSize(20, 13) << 13 << false << 4 << QSize(342, 78) << QRect(12, 13, 20, 26)
        << QList<int>{12, 93, 174, 255} << 42;
    QTest::newRow("no buttons") << QSize(100, 13) << 13 << false << 0 << QSize(124, 78) << QRect(12, 13, 100, 26)
                                << QList<int>{} << 42;
    // The bold message font wraps onto more lines than the dialog font: the label and the button row
    // make room, so no line of the message hides behind the buttons.
    QTest::newRow("message font needs more lines")
        << QSize(400, 26) << 80 << true << 1 << QSize(471, 145) << QRect(59, 13, 400, 80) << QList<int>{198}
        << 109;
}

void TestDialogRules::messageBoxGeometry()
{
    QFETCH(QSize, textSize);
    QFETCH(int, labelHeight);
    QFETCH(bool, hasIcon);
    QFETCH(int, buttonCount);
    QFETCH(QList<int>, buttonLefts);
    QFETCH(int, buttonTop);

    const MessageBoxGeometry geometry =
        MessDlgs::messageBoxGeometry(fixedUnits, textSize, labelHeight, hasIcon, buttonCount);

    QTEST(geometry.clientSize, "clientSize");
    QTEST(geometry.messageRect, "messageRect");
    QCOMPARE(geometry.iconRect, hasIcon ? QRect(12, 13, 32, 32) : QRect());
    QCOMPARE(geometry.buttonRects.size(), buttonLefts.size());
    for (qsizetype index = 0; index < buttonLefts.size(); ++index)
        QCOMPARE(geometry.buttonRects.at(index), QRect(buttonLefts.at(index), buttonTop, 75, 23));
}

void TestDialogRules::messageTextWrapsAtHalfTheScreenWidth()
{
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    const QString text = QStringLiteral("A hosszú üzenet szavai addig követik egymást, amíg el nem érik a képernyő "
                                        "felét, onnan pedig a következő sorban folytatódnak tovább.");
    const int screenWidth = 2 * metrics.horizontalAdvance(text) / 3;

    const QSize wrapped = messageTextSize(font, text, screenWidth);
    QVERIFY(wrapped.width() <= screenWidth / 2);
    QVERIFY(wrapped.height() >= 2 * metrics.height());

    const QSize oneLine = messageTextSize(font, text, 4 * metrics.horizontalAdvance(text));
    QCOMPARE(oneLine.width(), metrics.horizontalAdvance(text));
    QCOMPARE(oneLine.height(), metrics.height());
}

void TestDialogRules::inputBoxGeometry()
{
    const InputBoxGeometry geometry = MessDlgs::inputBoxGeometry(fixedUnits, 21);
    QCOMPARE(geometry.clientSize, QSize(270, 102));
    QCOMPARE(geometry.promptPosition, QPoint(12, 13));
    QCOMPARE(geometry.editRect, QRect(12, 31, 246, 21));
    QCOMPARE(geometry.okRect, QRect(57, 67, 75, 23));
    QCOMPARE(geometry.cancelRect, QRect(138, 67, 75, 23));
}

void TestDialogRules::centredPosition_data()
{
    QTest::addColumn<QSize>("windowSize");
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("even screen") << QSize(131, 97) << QRect(0, 0, 1024, 768) << QPoint(447, 336);
    QTest::newRow("halves by integer division") << QSize(131, 97) << QRect(0, 0, 1025, 769) << QPoint(447, 336);
    QTest::newRow("second screen") << QSize(200, 100) << QRect(1920, 0, 1280, 1024) << QPoint(2460, 462);
}

void TestDialogRules::centredPosition()
{
    QFETCH(QSize, windowSize);
    QFETCH(QRect, screen);
    QTEST(MessDlgs::centredPosition(windowSize, screen), "position");
}

void TestDialogRules::defaultAndCancelButtons_data()
{
    QTest::addColumn<TMsgDlgButtons>("buttons");
    QTest::addColumn<std::optional<TMsgDlgBtn>>("defaultButton");
    QTest::addColumn<std::optional<TMsgDlgBtn>>("cancelButton");

    const std::optional<TMsgDlgBtn> none;
    QTest::newRow("OK alone") << TMsgDlgButtons{mbOK} << std::optional(mbOK) << std::optional(mbOK);
    QTest::newRow("OK, Cancel") << TMsgDlgButtons{mbOK, mbCancel} << std::optional(mbOK) << std::optional(mbCancel);
    QTest::newRow("Yes, No, Cancel") << TMsgDlgButtons{mbYes, mbNo, mbCancel} << std::optional(mbYes)
                                     << std::optional(mbCancel);
    QTest::newRow("Yes, No") << TMsgDlgButtons{mbYes, mbNo} << std::optional(mbYes) << std::optional(mbNo);
    QTest::newRow("Retry, Cancel") << TMsgDlgButtons{mbRetry, mbCancel} << std::optional(mbRetry)
                                   << std::optional(mbCancel);
    QTest::newRow("Abort, Ignore") << TMsgDlgButtons{mbAbort, mbIgnore} << none << none;
}

void TestDialogRules::defaultAndCancelButtons()
{
    QFETCH(TMsgDlgButtons, buttons);
    QTEST(defaultButtonOf(buttons), "defaultButton");
    QTEST(cancelButtonOf(buttons), "cancelButton");
}

void TestDialogRules::englishAndHungarianRows_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("hungarian");

    const char *const rows[][2] = {
        {"Cancel", "Mégsem"},        {"Warning", "Figyelmeztetés"}, {"Error", "Hiba"},
        {"Information", "Információ"}, {"Confirm", "Megerősítés"},  {"", ""},
        {"Yes", "Igen"},             {"No", "Nem"},                 {"OK", "OK"},
        {"Cancel", "Mégsem"},        {"Abort", "Megszakít"},        {"Retry", "Újra"},
        {"Ignore", "Kihagy"},        {"All", "Mind"},               {"No to all", "Mindre nem"},
        {"Yes to all", "Mindre igen"}, {"Help", "Súgó"},
    };
    for (int entry = 0; entry < languageEntryCount; ++entry)
        QTest::addRow("entry %d", entry) << entry << QString::fromUtf8(rows[entry][0])
                                         << QString::fromUtf8(rows[entry][1]);
}

void TestDialogRules::englishAndHungarianRows()
{
    QFETCH(int, entry);
    QTEST(languageText(English, entry), "english");
    QTEST(languageText(Hungarian, entry), "hungarian");
}

void TestDialogRules::everyRowHasTitlesAndCaptions()
{
    for (int language = 0; language < languageCount; ++language) {
        for (int entry = 0; entry < languageEntryCount; ++entry) {
            const bool customTitle = entry == entryCustomTitle;
            QVERIFY2(languageText(language, entry).isEmpty() == customTitle,
                     qPrintable(QStringLiteral("language %1, entry %2").arg(language).arg(entry)));
        }
    }
}

void TestDialogRules::languageOutsideTheTableFallsBackToEnglish()
{
    QCOMPARE(languageText(languageCount, entryInformationTitle), QStringLiteral("Information"));
    QCOMPARE(languageText(-1, entryInputCancel), QStringLiteral("Cancel"));
}

QTEST_MAIN(TestDialogRules)
#include "tst_dialogrules.moc"
