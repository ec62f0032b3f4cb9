// The window's frame, title bar and close box included, as the window manager draws it: only a real X
// server with a window manager frames a window, so each case runs again in a child of this executable
// on a private Xvfb with openbox, whose screen margins make the work area smaller than the screen.

#include "app/application.h"
#include "app/tform1.h"
#include "tests/support/privatexserver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

const char *const configurationVariable = "KRV_FRAME_OPENBOX_CONFIGURATION";
// Generous: the machine may be busy, and a frame that never fits fails all the same.
constexpr int windowSystemTimeout = 10000;
// The screen's margins that openbox keeps out of the work area, at start and after the change.
constexpr QMargins startMargins(10, 30, 20, 40);
constexpr QMargins changedMargins(0, 60, 0, 0);

void writeConfiguration(const QString &path, const QMargins &margins)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("<?xml version=\"1.0\"?>\n"
                              "<openbox_config xmlns=\"http://openbox.org/3.4/rc\">\n"
                              "  <margins><top>%1</top><bottom>%2</bottom><left>%3</left><right>%4</right></margins>\n"
                              "</openbox_config>\n")
                   .arg(margins.top())
                   .arg(margins.bottom())
                   .arg(margins.left())
                   .arg(margins.right())
                   .toUtf8());
}

// What the X server holds, in device pixels: the screen, the work area of the first desktop as the
// window manager announces it, and the outermost window that the window manager put around ours.
struct XTree
{
    xcb_connection_t *connection = qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    xcb_atom_t atom(const char *name) const
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, uint16_t(qstrlen(name)), name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    QRect screen() const
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        return QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    }

    QRect workArea() const
    {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection,
                                   xcb_get_property(connection, 0, root, atom("_NET_WORKAREA"), XCB_ATOM_CARDINAL, 0, 4),
                                   nullptr),
            &std::free);
        if (!reply || xcb_get_property_value_length(reply.get()) < int(4 * sizeof(uint32_t)))
            return {};
        const auto *values = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
        return QRect(int(values[0]), int(values[1]), int(values[2]), int(values[3]));
    }

    QRect frame(xcb_window_t window) const
    {
        for (;;) {
            std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
                xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr), &std::free);
            if (!tree)
                return {};
            if (tree->parent == root)
                break;
            window = tree->parent;
        }
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
        if (!geometry)
            return {};
        const int border = geometry->border_width;
        return QRect(geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border);
    }
};

// The frame lies inside the work area and fills it. A window's size moves in whole logical pixels, so
// at a scale factor above 1 an edge may stay short of the work area's by less than one of them.
bool fills(const QRect &frame, const QRect &workArea, qreal devicePixelRatio)
{
    const int slack = qCeil(devicePixelRatio) - 1;
    return workArea.contains(frame) && frame.left() - workArea.left() <= slack
        && frame.top() - workArea.top() <= slack && workArea.right() - frame.right() <= slack
        && workArea.bottom() - frame.bottom() <= slack;
}

QByteArray describe(const QRect &frame, const QRect &workArea)
{
    return QStringLiteral("frame %1,%2 %3x%4, work area %5,%6 %7x%8")
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height())
        .arg(workArea.x())
        .arg(workArea.y())
        .arg(workArea.width())
        .arg(workArea.height())
        .toUtf8();
}

} // namespace

class TestWindowFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frameFillsTheWorkAreaAndFollowsIt_data();
    void frameFillsTheWorkAreaAndFollowsIt();

private:
    void checkUnderWindowManager();
    void verifyFrameFillsTheWorkArea(const QWidget &window, const XTree &x);
};

void TestWindowFrame::frameFillsTheWorkAreaAndFollowsIt_data()
{
    QTest::addColumn<QString>("scaleFactor");
    QTest::newRow("scale 1") << QStringLiteral("1");
    QTest::newRow("scale 2") << QStringLiteral("2");
}

void TestWindowFrame::verifyFrameFillsTheWorkArea(const QWidget &window, const XTree &x)
{
    const auto client = xcb_window_t(window.winId());
    QTRY_VERIFY2_WITH_TIMEOUT(fills(x.frame(client), x.workArea(), window.devicePixelRatio()),
                              describe(x.frame(client), x.workArea()).constData(), windowSystemTimeout);
}

// The child: the window as the program shows it, then after the work area shrank on the top and grew at
// the bottom while it was shown.
void TestWindowFrame::checkUnderWindowManager()
{
    // Each step first waits for the work area that openbox's margins leave, so that a frame that fills
    // some passing work area counts for nothing.
    const XTree x;
    QTRY_COMPARE_WITH_TIMEOUT(x.workArea(), x.screen().marginsRemoved(startMargins), windowSystemTimeout);
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form, windowSystemTimeout));
    verifyFrameFillsTheWorkArea(form, x);
    if (QTest::currentTestFailed())
        return;

    writeConfiguration(qEnvironmentVariable(configurationVariable), changedMargins);
    QCOMPARE(QProcess::execute(QStringLiteral("openbox"), {QStringLiteral("--reconfigure")}), 0);
    QTRY_COMPARE_WITH_TIMEOUT(x.workArea(), x.screen().marginsRemoved(changedMargins), windowSystemTimeout);
    verifyFrameFillsTheWorkArea(form, x);
}

void TestWindowFrame::frameFillsTheWorkAreaAndFollowsIt()
{
    if (PrivateXServer::isHosting()) {
        checkUnderWindowManager();
        return;
    }
    QFETCH(QString, scaleFactor);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString configuration = folder.filePath(QStringLiteral("rc.xml"));
    writeConfiguration(configuration, startMargins);
    PrivateXServer server({QStringLiteral("--config-file"), configuration});
    if (!server.started())
        QSKIP(server.failure().constData());

    QProcessEnvironment variables;
    variables.insert(QString::fromLatin1(configurationVariable), configuration);
    variables.insert(QStringLiteral("QT_SCALE_FACTOR"), scaleFactor);
    server.runCurrentFunction(variables);
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestWindowFrame test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowframe.moc"
