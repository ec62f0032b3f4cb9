// The window font at a device pixel ratio of 2 under a real X server: each measurement runs in a
// child process of this executable on a private X server, with the scale factor in its environment,
// since the ratio is fixed when the application starts.

#include "app/application.h"
#include "app/tform1.h"
#include "tests/support/privatexserver.h"

#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <cstdio>

namespace {

const char measureOption[] = "--measure-field";

struct FieldText
{
    QString family;
    int inkHeight = 0; // device pixels
    int inkWidth = 0;
    QString fieldGeometry; // logical pixels
};

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

// Child: prints the family that draws the name field of the real window and the size of its text.
int measureField(int argc, char **argv)
{
    Application application(argc, argv);
    TForm1 form;
    auto *field = form.field<QLineEdit>(QStringLiteral("Edit2"));
    const QImage empty = field->grab().toImage();
    field->setText(QStringLiteral("Minta Kft. gyq"));
    const QRect ink = inkBounds(empty, field->grab().toImage());
    const QRect geometry = field->geometry();
    std::printf("%s\n%d\n%d\n%d,%d %dx%d\n", qPrintable(QFontInfo(field->font()).family()), ink.height(), ink.width(),
                geometry.x(), geometry.y(), geometry.width(), geometry.height());
    return 0;
}

} // namespace

class TestScaledFont : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldTextScalesWithTheScreen();

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
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (lines.size() < 4)
        return {};
    return {lines[0], lines[1].toInt(), lines[2].toInt(), lines[3]};
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

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], measureOption) == 0)
        return measureField(argc, argv);
    QCoreApplication application(argc, argv);
    TestScaledFont test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scaledfont.moc"
