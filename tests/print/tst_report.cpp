#include "common/exception.h"
#include "common/regionalsettings.h"
#include "dialogs/dialogs.h"
#include "print/pagetemplate.h"
#include "print/printcommand.h"
#include "print/report.h"
#include "print/textexpansion.h"
#include "print/textwrap.h"
#include "tests/print/fakedeclaration.h"

#include <QTest>

namespace {

constexpr ProcessorRegisters exampleProcessor{198313, 1050624, 2147154879, 3219913727};

// Answers the page's variables from a declaration, as the main window's handler does, and counts calls.
struct Answers
{
    FakeDeclaration declaration = filledDeclaration();
    QString printIdentifier;
    QStringList asked;

    TfrxGetValueEvent handler()
    {
        return [this](const QString &name, QVariant &value) {
            asked << name;
            if (const std::optional<QString> answer =
                    reportVariable(name, declaration, printIdentifier, QDate::currentDate()))
                value = *answer;
        };
    }
};

QStringList texts(const TfrxReportPage &page)
{
    QStringList result;
    for (const TfrxView &view : page.objects)
        result << view.name + u'=' + view.text;
    return result;
}

QString preparedText(const TfrxReport &report, const char *objectName)
{
    const TfrxView *view = report.PreparedPages().front().findObject(QString::fromLatin1(objectName));
    return view ? view->text : QStringLiteral("<missing>");
}

// Each character one unit wide, so that wrapping can be followed by counting.
double characterCount(QStringView text)
{
    return double(text.size());
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pageIsA4WithItsMargins();
    void objectsFollowTheTableOrder();
    void headingsAreWhiteOnBlackWithWideGap();
    void picturesAreDecodedJpegsOnePixelPerUnit();
    void everyVariableIsBracketedAsThePageNeeds();

    void expandBrackets_data();
    void expandBrackets();
    void wrapText_data();
    void wrapText();
    void wrapTextOfAPastedMegabyteMeasuresOnlyWhatItShows_data();
    void wrapTextOfAPastedMegabyteMeasuresOnlyWhatItShows();

    void preparationExpandsEveryVariableAndKeepsTheTemplate();
    void nameWithLeadingSpaceFailsWithTheErrorBox();
    void handlerFailureBecomesTheErrorLine();
    void engineNamesNeverReachTheHandler_data();
    void engineNamesNeverReachTheHandler();
    void answersAreNotExpandedAgain();
    void twoPreparationsGiveTheSamePage();
    void preparingWithoutClearingAddsAPage();

    void printCommandRenewsIdentifierAndPreviews();
    void printCommandWithEmptyNameKeepsIdentifier();
    void printCommandShowsNoPreviewWhenPreparationFails();

private:
    QList<MessDlgs::MessageBoxRequest> m_messageBoxes;
    MessDlgs::MessageBoxFunction m_previousMessageBox;
};

void TestReport::init()
{
    Regional::instance().setSettings({u',', u' ', QStringLiteral("yyyy.MM.dd.")});
    m_messageBoxes.clear();
    m_previousMessageBox = MessDlgs::setMessageBoxFunction([this](const MessDlgs::MessageBoxRequest &request) {
        m_messageBoxes << request;
        return int(mrOk);
    });
}

void TestReport::cleanup()
{
    MessDlgs::setMessageBoxFunction(m_previousMessageBox);
}

void TestReport::pageIsA4WithItsMargins()
{
    const TfrxReportPage page = Page1();
    QCOMPARE(page.name, QStringLiteral("Page1"));
    QCOMPARE(page.paperMm, QSizeF(210.0, 297.0));
    QCOMPARE(page.paperSize, 9);
    QVERIFY(page.portrait);
    QCOMPARE(page.leftMarginMm, 22.0);
    QCOMPARE(page.rightMarginMm, 20.0);
    QCOMPARE(page.topMarginMm, 10.0);
    QCOMPARE(page.bottomMarginMm, 25.0);
    // The footer rule: 256 mm into the area, 168 mm long, drawn along its top edge.
    const TfrxView *footerRule = page.findObject(QStringLiteral("Line5"));
    QVERIFY(footerRule);
    QCOMPARE(footerRule->kind, TfrxObjectKind::Line);
    QCOMPARE(footerRule->frame, ftTop);
    QCOMPARE(footerRule->bounds, QRectF(0, mmToUnits(256.0), mmToUnits(168.0), 0));
    QCOMPARE(page.findObject(QStringLiteral("Line21"))->frame, ftLeft);
}

void TestReport::objectsFollowTheTableOrder()
{
    const TfrxReportPage page = Page1();
    QStringList names;
    for (const TfrxView &view : page.objects)
        names << view.name;
    QCOMPARE(names.size(), 85 + 31 + 2 + 2);
    QCOMPARE(names.first(), QStringLiteral("Memo1"));
    QCOMPARE(names.mid(84, 3), (QStringList{"Memo13", "Line2", "Line9"}));
    QCOMPARE(names.mid(116), (QStringList{"Picture1", "Picture2", "Memo5", "BarCode1"}));
    QCOMPARE(names.removeDuplicates(), 0);

    for (const TfrxView &view : page.objects)
        QCOMPARE(view.visible, view.name != QLatin1String("Memo5") && view.name != QLatin1String("BarCode1"));
    const TfrxView *stamp = page.findObject(QStringLiteral("Memo5"));
    QCOMPARE(stamp->text, QStringLiteral("illetékbélyeg\r\nhelye"));
    QCOMPARE(stamp->bounds.top(), mmToUnits(-1.0));
    QCOMPARE(page.findObject(QStringLiteral("BarCode1"))->text, QStringLiteral("12345678"));

    const TfrxView *title = page.findObject(QStringLiteral("Memo1"));
    QCOMPARE(title->text, QStringLiteral("Bevallás\r\na vállalkozók kommunális adójáról"));
    QCOMPARE(title->font.family, QStringLiteral("Tahoma"));
    QCOMPARE(title->font.height, 15.0);
    QVERIFY(title->font.bold);
    QCOMPARE(title->hAlign, haCenter);
    QCOMPARE(title->vAlign, vaTop);
    const TfrxView *footerNumber = page.findObject(QStringLiteral("Memo12"));
    QCOMPARE(footerNumber->font.family, QStringLiteral("Franklin Gothic Medium"));
    QCOMPARE(footerNumber->vAlign, vaCenter);
    QCOMPARE(page.findObject(QStringLiteral("Memo87"))->hAlign, haRight);
    QCOMPARE(page.findObject(QStringLiteral("Memo87"))->vAlign, vaBottom);
}

void TestReport::headingsAreWhiteOnBlackWithWideGap()
{
    const TfrxReportPage page = Page1();
    for (const TfrxView &view : page.objects) {
        const bool heading = QStringList{"Memo4", "Memo37", "Memo28"}.contains(view.name);
        QCOMPARE(view.fill.has_value(), heading);
        QCOMPARE(view.gapX, heading ? 10.0 : 2.0);
        if (heading) {
            QCOMPARE(*view.fill, QColor(Qt::black));
            QCOMPARE(view.font.color, QColor(Qt::white));
            QVERIFY(view.font.bold);
        }
    }
}

void TestReport::picturesAreDecodedJpegsOnePixelPerUnit()
{
    const TfrxReportPage page = Page1();
    const TfrxView *crest = page.findObject(QStringLiteral("Picture1"));
    const TfrxView *seal = page.findObject(QStringLiteral("Picture2"));
    QCOMPARE(crest->picture.size(), QSize(60, 62));
    QCOMPARE(seal->picture.size(), QSize(90, 62));
    QCOMPARE(crest->bounds, QRectF(0, 0, 60, 62));
    QCOMPARE(seal->bounds, QRectF(mmToUnits(19.0), 0, 90, 62));
}

void TestReport::everyVariableIsBracketedAsThePageNeeds()
{
    QStringList bracketed;
    for (const TfrxView &view : Page1().objects)
        ::expandBrackets(view.text, [&](const QString &name) {
            bracketed << name;
            return QString();
        });
    QStringList expected;
    for (int variable = 1; variable <= 22; ++variable)
        expected << QStringLiteral("m%1").arg(variable);
    expected << "datum" << "datum" << "azon";
    bracketed.sort();
    expected.sort();
    QCOMPARE(bracketed, expected);
}

void TestReport::expandBrackets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");

    QTest::newRow("plain text") << "Oldal: 1/1" << "Oldal: 1/1";
    QTest::newRow("one name") << "[m1]" << "<m1>";
    QTest::newRow("inside literal parentheses") << "([azon])" << "(<azon>)";
    QTest::newRow("two names") << "[a] and [b]" << "<a> and <b>";
    QTest::newRow("nested pairs belong to one expression") << "x[a[b]c]y" << "x<a[b]c>y";
    QTest::newRow("expression kept untrimmed") << "[ m1 ]" << "< m1 >";
    QTest::newRow("empty expression") << "[]" << "<>";
    QTest::newRow("unmatched opening bracket stays") << "a[b[c]" << "a[b<c>";
    QTest::newRow("lone opening bracket") << "a[bc" << "a[bc";
    QTest::newRow("closing bracket alone stays") << "a]b" << "a]b";
    QTest::newRow("lines joined by CR LF") << "[a]\r\n[b]" << "<a>\r\n<b>";
}

void TestReport::expandBrackets()
{
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    QCOMPARE(::expandBrackets(text, [](const QString &expression) { return u'<' + expression + u'>'; }), expanded);
}

void TestReport::wrapText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("fits") << "aaa bbb" << 7.0 << QStringList{"aaa bbb"};
    QTest::newRow("wraps at the space") << "aaa bbb" << 6.0 << QStringList{"aaa", "bbb"};
    QTest::newRow("keeps words together") << "aa bb cc dd" << 5.0 << QStringList{"aa bb", "cc dd"};
    QTest::newRow("breaks an over-long word") << "abcdefgh" << 3.0 << QStringList{"abc", "def", "gh"};
    QTest::newRow("over-long word after a short one") << "x abcdefg" << 3.0 << QStringList{"x", "abc", "def", "g"};
    QTest::newRow("line breaks") << "a\r\nb\nc" << 10.0 << QStringList{"a", "b", "c"};
    QTest::newRow("empty line kept") << "a\r\n\r\nb" << 10.0 << QStringList{"a", "", "b"};
    QTest::newRow("empty text is one empty line") << "" << 10.0 << QStringList{""};
    QTest::newRow("trailing space kept") << "12. " << 10.0 << QStringList{"12. "};
    QTest::newRow("no width still progresses") << "abc" << 0.0 << QStringList{"a", "b", "c"};
    QTest::newRow("negative width still progresses") << "ab" << -5.0 << QStringList{"a", "b"};
}

void TestReport::wrapText()
{
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(QStringList, lines);
    QCOMPARE(::wrapText(text, width, characterCount), lines);
}

// Every paint of the preview wraps the page's texts again; measuring a pasted megabyte whole for each
// line broken off it held the window for minutes.
void TestReport::wrapTextOfAPastedMegabyteMeasuresOnlyWhatItShows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    const QString tenWords = QStringLiteral("abcde ").repeated(10).chopped(1);
    QTest::newRow("one word") << QString(1'000'000, u'x') << QStringList(3, QString(60, u'x'));
    QTest::newRow("words") << QStringLiteral("abcde ").repeated(200'000) << QStringList(3, tenWords);
    QTest::newRow("lines") << QStringLiteral("abc\n").repeated(250'000) << QStringList(3, QStringLiteral("abc"));
}

void TestReport::wrapTextOfAPastedMegabyteMeasuresOnlyWhatItShows()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    qsizetype measured = 0;
    const TextMeasure countingMeasure = [&](QStringView piece) {
        measured += piece.size();
        return characterCount(piece);
    };
    QCOMPARE(::wrapText(text, 60.0, countingMeasure, 3), lines);
    QVERIFY2(measured < 20'000, qPrintable(QString::number(measured)));
    QCOMPARE(::wrapText(text.left(1000), 60.0, characterCount).mid(0, 3), lines);
}

void TestReport::preparationExpandsEveryVariableAndKeepsTheTemplate()
{
    TfrxReport report;
    Answers answers;
    answers.printIdentifier = QStringLiteral("1983134D5");
    report.OnGetValue = answers.handler();

    QVERIFY(report.PreparePages(true));
    QVERIFY(report.Errors().isEmpty());
    QVERIFY(m_messageBoxes.isEmpty());
    QCOMPARE(report.pageCount(), 1);
    QCOMPARE(answers.asked.size(), 25);
    QCOMPARE(preparedText(report, "Memo22"), QStringLiteral("Bevallás"));
    QCOMPARE(preparedText(report, "Memo29"), QString());
    QCOMPARE(preparedText(report, "Memo83"), QStringLiteral("-52 500 Ft."));
    QCOMPARE(preparedText(report, "Memo14"), QStringLiteral("(1983134D5)"));
    QCOMPARE(preparedText(report, "Memo10"), dateText(QDate::currentDate()));
    QCOMPARE(preparedText(report, "Memo13"), QStringLiteral("Oldal: 1/1"));
    QCOMPARE(report.FindObject(QStringLiteral("Memo22"))->text, QStringLiteral("[m1]"));
}

void TestReport::nameWithLeadingSpaceFailsWithTheErrorBox()
{
    TfrxReport report;
    Answers answers;
    report.OnGetValue = answers.handler();
    report.FindObject(QStringLiteral("Memo22"))->text = QStringLiteral("[ m1]");

    QVERIFY(!report.PreparePages(true));
    QVERIFY(answers.asked.contains(QStringLiteral(" m1")));
    QCOMPARE(report.Errors().size(), 1);
    QVERIFY2(report.Errors().front().startsWith(QStringLiteral("Memo22: Hiba a kifejezésben ' m1': ")),
             qPrintable(report.Errors().front()));
    QCOMPARE(m_messageBoxes.size(), 1);
    const MessDlgs::MessageBoxRequest &box = m_messageBoxes.front();
    QCOMPARE(box.type, mtError);
    QCOMPARE(box.language, int(MessDlgs::Hungarian));
    QCOMPARE(box.buttons, (TMsgDlgButtons{mbOK}));
    QCOMPARE(box.text, QStringLiteral("A következő hiba történt:\r\n") + report.Errors().front() + QStringLiteral("\r\n"));
}

void TestReport::handlerFailureBecomesTheErrorLine()
{
    TfrxReport report;
    Answers answers;
    answers.declaration.reasonOption = -1;
    report.OnGetValue = answers.handler();

    QVERIFY(!report.PreparePages(true));
    QCOMPARE(report.Errors(), QStringList{QStringLiteral("List index out of bounds (-1)")});
    QCOMPARE(m_messageBoxes.size(), 1);
    QCOMPARE(m_messageBoxes.front().text,
             QStringLiteral("A következő hiba történt:\r\nList index out of bounds (-1)\r\n"));

    // The next preparation starts with an empty error list.
    answers.declaration.reasonOption = 0;
    QVERIFY(report.PreparePages(true));
    QVERIFY(report.Errors().isEmpty());
}

void TestReport::engineNamesNeverReachTheHandler_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expanded");

    const QString today = dateText(QDate::currentDate());
    QTest::newRow("Date") << "[Date]" << today;
    QTest::newRow("DATE") << "[DATE]" << today;
    QTest::newRow("date") << "[date]" << today;
    QTest::newRow("Page#") << "[Page#]/[TotalPages#]" << "1/1";
    QTest::newRow("totalpages") << "[page] of [totalpages]" << "1 of 1";
}

void TestReport::engineNamesNeverReachTheHandler()
{
    QFETCH(QString, text);
    QFETCH(QString, expanded);
    TfrxReport report;
    Answers answers;
    report.OnGetValue = answers.handler();
    report.FindObject(QStringLiteral("Memo13"))->text = text;

    QVERIFY(report.PreparePages(true));
    QCOMPARE(preparedText(report, "Memo13"), expanded);
    QCOMPARE(answers.asked.size(), 25);
}

void TestReport::answersAreNotExpandedAgain()
{
    TfrxReport report;
    Answers answers;
    answers.declaration.texts[QStringLiteral("Edit2")] = QStringLiteral("[m1] & [Date] Kft.]");
    report.OnGetValue = answers.handler();

    QVERIFY(report.PreparePages(true));
    QCOMPARE(preparedText(report, "Memo30"), QStringLiteral("[m1] & [Date] Kft.]"));
    QCOMPARE(answers.asked.count(QStringLiteral("m1")), 1);
}

void TestReport::twoPreparationsGiveTheSamePage()
{
    TfrxReport report;
    Answers answers;
    report.OnGetValue = answers.handler();

    QVERIFY(report.PreparePages(true));
    const QStringList first = texts(report.PreparedPages().front());
    QVERIFY(report.PreparePages(true));
    QCOMPARE(report.pageCount(), 1);
    QCOMPARE(texts(report.PreparedPages().front()), first);
    QCOMPARE(answers.asked.size(), 50);
}

void TestReport::preparingWithoutClearingAddsAPage()
{
    TfrxReport report;
    Answers answers;
    report.OnGetValue = answers.handler();
    report.FindObject(QStringLiteral("Memo13"))->text = QStringLiteral("Oldal: [Page#]/[TotalPages#]");

    QVERIFY(report.PreparePages(true));
    QVERIFY(report.PreparePages(false));
    QCOMPARE(report.pageCount(), 2);
    QCOMPARE(report.PreparedPages().at(0).findObject(QStringLiteral("Memo13"))->text, QStringLiteral("Oldal: 1/1"));
    QCOMPARE(report.PreparedPages().at(1).findObject(QStringLiteral("Memo13"))->text, QStringLiteral("Oldal: 2/2"));
    QVERIFY(report.PreparePages(true));
    QCOMPARE(report.pageCount(), 1);
}

void TestReport::printCommandRenewsIdentifierAndPreviews()
{
    TfrxReport report;
    Answers answers;
    report.OnGetValue = answers.handler();
    int previews = 0;
    report.setPreviewWindow([&](const PageDrawer &pages, QWidget *) {
        ++previews;
        QCOMPARE(pages.pageCount(), 1);
    });
    int processorQueries = 0;
    const ProcessorIdentification processor = [&] {
        ++processorQueries;
        return exampleProcessor;
    };

    runPrintCommand(QStringLiteral("Árvíz Bt."), answers.printIdentifier, report, processor);
    QCOMPARE(answers.printIdentifier, QStringLiteral("1983134D5"));
    QCOMPARE(report.FindObject(QStringLiteral("BarCode1"))->text, QStringLiteral("1983134D5"));
    QCOMPARE(preparedText(report, "Memo14"), QStringLiteral("(1983134D5)"));
    QCOMPARE(processorQueries, 1);
    QCOMPARE(previews, 1);

    runPrintCommand(QStringLiteral("Árvíz Bt."), answers.printIdentifier, report, processor);
    QCOMPARE(answers.printIdentifier, QStringLiteral("1983134D5"));
    QCOMPARE(previews, 2);
}

void TestReport::printCommandWithEmptyNameKeepsIdentifier()
{
    TfrxReport report;
    Answers answers;
    report.OnGetValue = answers.handler();
    report.setPreviewWindow([](const PageDrawer &, QWidget *) {});
    const ProcessorIdentification processor = [] {
        return exampleProcessor;
    };

    runPrintCommand(QString(), answers.printIdentifier, report, processor);
    QCOMPARE(answers.printIdentifier, QString());
    QCOMPARE(report.FindObject(QStringLiteral("BarCode1"))->text, QStringLiteral("12345678"));
    QCOMPARE(preparedText(report, "Memo14"), QStringLiteral("()"));

    runPrintCommand(QStringLiteral("A"), answers.printIdentifier, report, processor);
    runPrintCommand(QString(), answers.printIdentifier, report, processor);
    QCOMPARE(answers.printIdentifier, QStringLiteral("19831382"));
    QCOMPARE(report.FindObject(QStringLiteral("BarCode1"))->text, QStringLiteral("19831382"));
}

void TestReport::printCommandShowsNoPreviewWhenPreparationFails()
{
    TfrxReport report;
    Answers answers;
    answers.declaration.values[QStringLiteral("PBNumEdit4")] = QStringLiteral("1,2,3");
    report.OnGetValue = answers.handler();
    int previews = 0;
    report.setPreviewWindow([&](const PageDrawer &, QWidget *) { ++previews; });

    runPrintCommand(QStringLiteral("A"), answers.printIdentifier, report, [] { return exampleProcessor; });
    QCOMPARE(previews, 0);
    QCOMPARE(m_messageBoxes.size(), 1);
    QCOMPARE(report.Errors(), QStringList{QStringLiteral("'1,2,3' is not a valid floating point value")});
    QCOMPARE(answers.printIdentifier, QStringLiteral("19831382"));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
