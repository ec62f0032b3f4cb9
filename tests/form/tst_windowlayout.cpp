// The window as the taxpayer sees it: every text shown whole in its box, and no component lying over
// another. Fonts draw differently at a device pixel ratio of 2, and a desktop may name a widget style
// of roomier controls; both are fixed when the application starts, so each case is looked at in a child
// process of this executable.

#include "app/application.h"
#include "app/tform1.h"
#include "common/regionalsettings.h"
#include "form/widgets/tdatetimepicker.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStyleFactory>
#include <QTest>

namespace {

QString describe(const QWidget *widget)
{
    if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
        return widget->objectName();
    return QStringLiteral("%1 in %2").arg(QString::fromLatin1(widget->metaObject()->className()),
                                          describe(widget->parentWidget()));
}

QString geometryText(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// Where the line edit draws the cursor at a position, once it has scrolled to show it there.
int cursorX(QLineEdit *edit, int position)
{
    edit->setCursorPosition(position);
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
}

// A line edit scrolls its text only when the text is wider than its room: then the text's end, brought
// into view, lies less than the text's advance to the right of its start.
bool showsWholeText(QLineEdit *edit)
{
    const int advance = edit->fontMetrics().horizontalAdvance(edit->text());
    const int start = cursorX(edit, 0);
    return cursorX(edit, int(edit->text().size())) - start >= advance;
}

// What does not fit: a label's text wider or, wrapped, taller than the label; a button's text and
// indicator wider than the button; a date field's text scrolled under its button.
QString textProblem(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        const QSize needed = label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width()))
                                               : label->sizeHint();
        if (needed.width() > label->width() || needed.height() > label->height())
            return QStringLiteral("%1: \"%2\" needs %3x%4 in %5x%6")
                .arg(describe(label), label->text())
                .arg(needed.width())
                .arg(needed.height())
                .arg(label->width())
                .arg(label->height());
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        if (button->sizeHint().width() > button->width())
            return QStringLiteral("%1: \"%2\" needs %3 of %4 pixels")
                .arg(describe(button), button->text())
                .arg(button->sizeHint().width())
                .arg(button->width());
    } else if (auto *picker = qobject_cast<TDateTimePicker *>(widget)) {
        if (!showsWholeText(picker->textField()))
            return QStringLiteral("%1: \"%2\" does not show whole").arg(describe(picker), picker->text());
    }
    return {};
}

// Walks the visible widgets under the container: each lies inside its container and clear of its
// siblings, and shows its text whole. A widget drawn inside another is its child, so only siblings
// can meet.
void collectProblems(QWidget *container, QStringList &problems)
{
    QList<QWidget *> children;
    for (QObject *object : container->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && !child->isWindow() && child->isVisibleTo(container))
            children.append(child);
    }
    for (qsizetype index = 0; index < children.size(); ++index) {
        QWidget *child = children.at(index);
        if (!container->rect().contains(child->geometry()))
            problems << QStringLiteral("%1 (%2) sticks out of %3 (%4)")
                            .arg(describe(child), geometryText(child->geometry()), describe(container),
                                 geometryText(container->rect()));
        for (QWidget *sibling : children.mid(index + 1)) {
            if (child->geometry().intersects(sibling->geometry()))
                problems << QStringLiteral("%1 (%2) overlaps %3 (%4)")
                                .arg(describe(child), geometryText(child->geometry()), describe(sibling),
                                     geometryText(sibling->geometry()));
        }
        const QString problem = textProblem(child);
        if (!problem.isEmpty())
            problems << problem;
        collectProblems(child, problems);
    }
}

// Set in the child that looks at one case.
const char *const childVariable = "KRV_LAYOUT_CHILD";

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textsFitAndComponentsStayApart_data();
    void textsFitAndComponentsStayApart();
};

void TestWindowLayout::textsFitAndComponentsStayApart_data()
{
    QTest::addColumn<QString>("scaleFactor");
    QTest::addColumn<QString>("desktopStyle");
    QTest::newRow("scale 1") << QStringLiteral("1") << QString();
    QTest::newRow("scale 2") << QStringLiteral("2") << QString();
    // GNOME's widget style for Qt, with wider frames and buttons than the form was laid out for.
    QTest::newRow("desktop style Adwaita") << QStringLiteral("1") << QStringLiteral("adwaita");
}

void TestWindowLayout::textsFitAndComponentsStayApart()
{
    QFETCH(QString, scaleFactor);
    QFETCH(QString, desktopStyle);
    if (!qEnvironmentVariableIsSet(childVariable)) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(childVariable), QStringLiteral("1"));
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
        if (desktopStyle.isEmpty())
            environment.remove(QStringLiteral("QT_STYLE_OVERRIDE"));
        else
            environment.insert(QStringLiteral("QT_STYLE_OVERRIDE"), desktopStyle);
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        const QString function = QStringLiteral("textsFitAndComponentsStayApart:")
            + QLatin1String(QTest::currentDataTag());
        child.start(QCoreApplication::applicationFilePath(), {function});
        QVERIFY(child.waitForFinished(60000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
        const QByteArray passed = QByteArray("PASS   : TestWindowLayout::textsFitAndComponentsStayApart(")
            + QTest::currentDataTag() + ')';
        QVERIFY2(output.contains(passed), output.constData());
        return;
    }

    // A style that is not installed would leave the default in its place, and prove nothing.
    if (!desktopStyle.isEmpty())
        QVERIFY2(QStyleFactory::keys().contains(desktopStyle, Qt::CaseInsensitive),
                 qPrintable(QStringLiteral("the widget style \"%1\" is not installed").arg(desktopStyle)));
    QCOMPARE(qApp->devicePixelRatio(), scaleFactor.toDouble());
    // Hungarian dates ("2010. 01. 01.") are the widest the fields were made for.
    Regional::instance().setSettings(RegionalSettings::fromLocale(QLocale(QLocale::Hungarian, QLocale::Hungary)));
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList problems;
    collectProblems(form.field<QWidget>(QStringLiteral("Panel1"))->parentWidget(), problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestWindowLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowlayout.moc"
