// The window on a Wayland desktop, where the compositor tells a window neither its place nor the work
// area: each case runs again in a child of this executable on a private weston, whose panel takes the
// top of the screen.

#include "app/application.h"
#include "app/tform1.h"
#include "tests/support/privatewaylandcompositor.h"

#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

// Generous: the machine may be busy, and a frame that never fits fails all the same.
constexpr int windowSystemTimeout = 10000;

// The frame that the compositor gives a maximised window of its own choosing: the work area's size. The
// desktop shell puts up its panel after the compositor has started, so until then the work area is the
// whole screen.
QSize workAreaOfTheCompositor()
{
    QDeadlineTimer deadline(windowSystemTimeout);
    while (!deadline.hasExpired()) {
        QWidget probe;
        probe.showMaximized();
        if (!QTest::qWaitForWindowExposed(&probe, int(deadline.remainingTime())))
            break;
        const QSize screen = probe.screen()->geometry().size();
        if (QTest::qWaitFor([&] { return probe.frameGeometry().height() < screen.height(); }, 200))
            return probe.frameGeometry().size();
    }
    return {};
}

// Whether the window's own events told that it was not maximised, at any time since the watch began.
class StateChanges : public QObject
{
public:
    explicit StateChanges(QWidget &window) { window.installEventFilter(this); }

    bool restored = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            restored = restored || !(static_cast<QWidget *>(watched)->windowState() & Qt::WindowMaximized);
        return false;
    }
};

QByteArray describe(const QWidget &window, const QSize &workArea)
{
    return QStringLiteral("frame %1x%2, state %3, work area %4x%5")
        .arg(window.frameGeometry().width())
        .arg(window.frameGeometry().height())
        .arg(int(window.windowState()))
        .arg(workArea.width())
        .arg(workArea.height())
        .toUtf8();
}

} // namespace

class TestWaylandFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameFillsTheWorkAreaAndStaysInIt_data();
    void frameFillsTheWorkAreaAndStaysInIt();

private:
    void checkOnCompositor();
};

void TestWaylandFrame::frameFillsTheWorkAreaAndStaysInIt_data()
{
    QTest::addColumn<QString>("scaleFactor");
    QTest::newRow("scale 1") << QStringLiteral("1");
    QTest::newRow("scale 2") << QStringLiteral("2");
}

// The child: the window as the program shows it, then after the user restored it from the title bar.
void TestWaylandFrame::checkOnCompositor()
{
    const QSize workArea = workAreaOfTheCompositor();
    QVERIFY2(workArea.isValid(), "the desktop shell's panel did not come up");
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form, windowSystemTimeout));
    QTRY_VERIFY2_WITH_TIMEOUT(form.frameGeometry().size() == workArea, describe(form, workArea).constData(),
                              windowSystemTimeout);

    // What the restore button of a title bar that Qt draws itself does. The state changes at once;
    // the compositor answers later, and only its answer shows the window restored.
    StateChanges changes(form);
    form.windowHandle()->showNormal();
    QTRY_VERIFY_WITH_TIMEOUT(changes.restored, windowSystemTimeout);
    QTRY_VERIFY2_WITH_TIMEOUT(form.windowState() & Qt::WindowMaximized, describe(form, workArea).constData(),
                              windowSystemTimeout);
    QTRY_VERIFY2_WITH_TIMEOUT(form.frameGeometry().size() == workArea, describe(form, workArea).constData(),
                              windowSystemTimeout);
}

void TestWaylandFrame::frameFillsTheWorkAreaAndStaysInIt()
{
    if (PrivateWaylandCompositor::isHosting()) {
        checkOnCompositor();
        return;
    }
    QFETCH(QString, scaleFactor);
    PrivateWaylandCompositor compositor;
    if (!compositor.started())
        QSKIP(compositor.failure().constData());
    QProcessEnvironment variables;
    variables.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    compositor.runCurrentFunction(variables);
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestWaylandFrame test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_waylandframe.moc"
