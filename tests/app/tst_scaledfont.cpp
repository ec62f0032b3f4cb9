// The window font at a device pixel ratio of 2 under a real X server: each measurement runs in a
// child process of this executable on a private X server, with the scale factor in its environment
// or with a screen scaled while the window is shown.

#include "app/application.h"
#include "app/tform1.h"
#include "tests/support/privatexserver.h"

#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

const char measureOption[] = "--measure-field";
const char measureRescaledOption[] = "--measure-field-rescaled";

struct FieldText
{
    QString family;
    int inkHeight = 0; // device pixels
    int inkWidth = 0;
    QString fieldGeometry; // logical pixels
    QString menuFamily;    // the menu bar inherits the window's font
    QString captionFamily; // an address group's caption, in a face the program registers beside
};
constexpr int fieldTextLines = 6;

FieldText fieldText(const QStringList &lines)
{
    if (lines.size() < fieldTextLines)
        return {};
    return {lines[0], lines[1].toInt(), lines[2].toInt(), lines[3], lines[4], lines[5]};
}

// The XSETTINGS resolution of a desktop whose screens draw at this scale, as xsettingsd takes it.
QByteArray xsettingsResolution(int scale)
{
    return "Xft/DPI " + QByteArray::number(96 * 1024 * scale) + '\n';
}

// The rows and columns in which the field's picture with text differs from the empty field's.
QRect inkBounds(const QImage &empty, const QImage &filled)
{
    QRect bounds;
    for (int y = 0; y < filled.height(); ++y) {
        for (int x = 0; x < filled.width(); ++x) {
            if (filled.pixel(x, y) != empty.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Prints the family that draws the name field of the real window, the size of its text, the field's
// geometry and the families that draw the menu bar and an address group's caption.
void printFieldText(TForm1 &form)
{
    auto *field = form.field<QLineEdit>(QStringLiteral("Edit2"));
    field->clear();
    const QImage empty = field->grab().toImage();
    field->setText(QStringLiteral("Minta Kft. gyq"));
    const QRect ink = inkBounds(empty, field->grab().toImage());
    const QRect geometry = field->geometry();
    std::printf("%s\n%d\n%d\n%d,%d %dx%d\n%s\n%s\n", qPrintable(QFontInfo(field->font()).family()), ink.height(),
                ink.width(), geometry.x(), geometry.y(), geometry.width(), geometry.height(),
                qPrintable(QFontInfo(form.findChild<QMenuBar *>()->font()).family()),
                qPrintable(QFontInfo(form.field<QWidget>(QStringLiteral("LMDGroupBox1"))->font()).family()));
    std::fflush(stdout);
}

// Child: measures the window as it starts.
int measureField(int argc, char **argv)
{
    Application application(argc, argv);
    TForm1 form;
    printFieldText(form);
    return 0;
}

// Child: measures the shown window, waits for a line on its input while the parent scales a screen,
// and measures again once one draws scaled.
int measureFieldRescaled(int argc, char **argv)
{
    Application application(argc, argv);
    TForm1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    printFieldText(form);
    char line[8];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    const auto someScreenScaled = [] {
        const QList<QScreen *> screens = QGuiApplication::screens();
        return std::any_of(screens.begin(), screens.end(),
                           [](const QScreen *screen) { return screen->devicePixelRatio() != 1.0; });
    };
    if (!QTest::qWaitFor(someScreenScaled, 20000))
        return 1;
    printFieldText(form);
    return 0;
}

} // namespace

class TestScaledFont : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldTextScalesWithTheScreen();
    void fieldTextFollowsScreensScaledWhileRunning_data();
    void fieldTextFollowsScreensScaledWhileRunning();

private:
    FieldText measure(const PrivateXServer &server, const QString &scaleFactor);
};

FieldText TestScaledFont::measure(const PrivateXServer &server, const QString &scaleFactor)
{
    QProcessEnvironment environment = server.environment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    // In a sanitizer build the X libraries' caches would count as leaks of the measuring child; our
    // own code's leaks are the other tests' concern.
    environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(measureOption)});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        qWarning("%s", child.readAllStandardError().constData());
        return {};
    }
    return fieldText(QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n')));
}

// Wine's bitmap face draws the field at scale 1 as it always did; at scale 2 a scalable face takes
// over and the text grows with the screen instead of staying tiny at doubled spacing, while the
// window keeps its layout.
void TestScaledFont::fieldTextScalesWithTheScreen()
{
    PrivateXServer server;
    if (!server.started())
        QSKIP(server.failure().constData());

    const FieldText single = measure(server, QStringLiteral("1"));
    const FieldText doubled = measure(server, QStringLiteral("2"));
    QVERIFY2(single.inkHeight > 0 && doubled.inkHeight > 0, "the field's text could not be measured under Xvfb");

    QCOMPARE(single.family, QStringLiteral("MS Sans Serif"));
    QVERIFY2(doubled.family != single.family, qPrintable(doubled.family));
    const double heightRatio = double(doubled.inkHeight) / single.inkHeight;
    const double widthRatio = double(doubled.inkWidth) / single.inkWidth;
    QVERIFY2(heightRatio > 1.7 && heightRatio < 2.3,
             qPrintable(QStringLiteral("text height %1 -> %2 px").arg(single.inkHeight).arg(doubled.inkHeight)));
    QVERIFY2(widthRatio > 1.7 && widthRatio < 2.3,
             qPrintable(QStringLiteral("text width %1 -> %2 px").arg(single.inkWidth).arg(doubled.inkWidth)));
    QCOMPARE(doubled.fieldGeometry, single.fieldGeometry);
}

// A screen starts to draw scaled while the program runs: the desktop's scale or text size doubled
// (XSETTINGS, as GNOME and others set it under X11), which scales the window's own screen, or a screen
// of scale 2 added beside it. The bitmap face gives way as at a start on such screens, both in the
// fields, which have their own font, and in the menu bar, which inherits the window's.
void TestScaledFont::fieldTextFollowsScreensScaledWhileRunning_data()
{
    QTest::addColumn<bool>("screenAdded");
    QTest::addColumn<double>("windowScale");
    QTest::newRow("desktop resolution doubled") << false << 2.0;
    QTest::newRow("screen of scale 2 added") << true << 1.0;
}

void TestScaledFont::fieldTextFollowsScreensScaledWhileRunning()
{
    QFETCH(bool, screenAdded);
    QFETCH(double, windowScale);
    PrivateXServer server;
    if (!server.started())
        QSKIP(server.failure().constData());
    const QString xsettingsd = QStandardPaths::findExecutable(QStringLiteral("xsettingsd"));
    const QString xrandr = QStandardPaths::findExecutable(QStringLiteral("xrandr"));
    if (xsettingsd.isEmpty() || xrandr.isEmpty())
        QSKIP("xsettingsd or xrandr is not installed");

    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    QFile settings(directory.filePath(QStringLiteral("xsettings")));
    QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write(xsettingsResolution(1)) > 0);
    settings.close();
    QProcess settingsDaemon;
    settingsDaemon.setProcessEnvironment(server.environment());
    settingsDaemon.setProcessChannelMode(QProcess::MergedChannels);
    settingsDaemon.start(xsettingsd, {QStringLiteral("-c"), settings.fileName()});
    // Qt reads the settings once, when it connects: the daemon must own them before the child starts.
    QByteArray daemonOutput;
    QTRY_VERIFY2_WITH_TIMEOUT((daemonOutput += settingsDaemon.readAll()).contains("Took ownership"),
                              daemonOutput.constData(), 10000);

    QProcessEnvironment environment = server.environment();
    environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    // Xvfb's screen is named "screen"; the one added is drawn at scale 2.
    environment.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"), QStringLiteral("screen=1;KRVSCALED=2"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(measureRescaledOption)});
    QStringList lines;
    while (lines.size() < fieldTextLines && child.waitForReadyRead(60000)) {
        while (child.canReadLine())
            lines << QString::fromUtf8(child.readLine()).trimmed();
    }
    const FieldText before = fieldText(lines);
    QVERIFY2(before.inkHeight > 0, child.readAllStandardError().constData());
    QCOMPARE(before.family, QStringLiteral("MS Sans Serif"));

    if (screenAdded) {
        QProcess addScreen;
        addScreen.setProcessEnvironment(server.environment());
        addScreen.start(xrandr, {QStringLiteral("--setmonitor"), QStringLiteral("KRVSCALED"),
                                 QStringLiteral("640/169x480/127+1280+0"), QStringLiteral("none")});
        QVERIFY(addScreen.waitForFinished(10000) && addScreen.exitCode() == 0);
    } else {
        QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write(xsettingsResolution(2)) > 0);
        settings.close();
        QCOMPARE(::kill(pid_t(settingsDaemon.processId()), SIGHUP), 0);
    }
    child.write("\n");
    QVERIFY(child.waitForFinished(60000));
    QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
    const FieldText after = fieldText(QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n')));
    settingsDaemon.terminate();
    settingsDaemon.waitForFinished(3000);

    QVERIFY2(after.inkHeight > 0, "the field's text could not be measured after the change");
    QVERIFY2(after.family != before.family, qPrintable(after.family));
    QCOMPARE(after.menuFamily, after.family);
    // Only the bitmap face is given up; Wine's Tahoma stays registered.
    QCOMPARE(before.captionFamily, QStringLiteral("Tahoma"));
    QCOMPARE(after.captionFamily, before.captionFamily);
    const double heightRatio = double(after.inkHeight) / before.inkHeight / windowScale;
    QVERIFY2(heightRatio > 0.85 && heightRatio < 1.15,
             qPrintable(QStringLiteral("text height %1 -> %2 px").arg(before.inkHeight).arg(after.inkHeight)));
    QCOMPARE(after.fieldGeometry, before.fieldGeometry);
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], measureOption) == 0)
        return measureField(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], measureRescaledOption) == 0)
        return measureFieldRescaled(argc, argv);
    QCoreApplication application(argc, argv);
    TestScaledFont test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scaledfont.moc"
