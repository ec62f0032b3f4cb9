#pragma once

#include "tests/support/childtestrun.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// A private Wayland compositor, weston on its headless back end with its desktop shell, whose panel
// keeps the top of the screen out of the work area. Under Wayland a window learns neither its place nor
// the work area; only a real compositor shows what that does to it. The compositor ends with the object,
// whatever way the test ends; the test case runs again, as a child of itself, on it. Tests whose binary
// defines KRV_WAYLAND_LEAK_SUPPRESSIONS pass it on to the child, since in a sanitizer build what Qt's
// Wayland platform keeps to the end would count as their leaks.
class PrivateWaylandCompositor
{
public:
    // Whether this process is the child that runs on the compositor.
    static bool isHosting() { return qEnvironmentVariableIsSet(hostingVariable); }

    PrivateWaylandCompositor()
    {
        const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        if (weston.isEmpty()) {
            m_failure = QStringLiteral("weston is not installed");
            return;
        }
        const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath)
                             + QStringLiteral("/platforms/libqwayland-generic.so");
        if (!QFileInfo::exists(plugin)) {
            m_failure = QStringLiteral("Qt's Wayland platform plugin (qt6-wayland) is not installed");
            return;
        }
        if (!m_runtimeFolder.isValid()) {
            m_failure = QStringLiteral("no folder for the compositor's socket");
            return;
        }
        QProcessEnvironment compositorEnvironment = QProcessEnvironment::systemEnvironment();
        compositorEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeFolder.path());
        m_compositor.setProcessEnvironment(compositorEnvironment);
        // Its log goes to a file, which nothing has to drain while the test runs.
        m_compositor.setStandardOutputFile(QProcess::nullDevice());
        m_compositor.setStandardErrorFile(QProcess::nullDevice());
        const QString log = m_runtimeFolder.filePath(QStringLiteral("weston.log"));
        // Without a configuration file of the user's, and without the lock screen that idling brings.
        m_compositor.start(weston, {QStringLiteral("--no-config"), QStringLiteral("--backend=headless-backend.so"),
                                    QStringLiteral("--width=1280"), QStringLiteral("--height=1024"),
                                    QStringLiteral("--idle-time=0"), QStringLiteral("--socket=") + socketName,
                                    QStringLiteral("--log=") + log});
        if (!m_compositor.waitForStarted(5000)) {
            m_failure = QStringLiteral("weston does not start");
            return;
        }
        // Clients that connect once the socket exists are served when the compositor is ready.
        QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(m_runtimeFolder.filePath(socketName))) {
            if (deadline.hasExpired() || m_compositor.state() == QProcess::NotRunning
                || m_compositor.waitForFinished(20)) {
                QFile logFile(log);
                m_failure = QStringLiteral("weston does not open its socket: ")
                          + QString::fromLocal8Bit(logFile.open(QIODevice::ReadOnly) ? logFile.readAll() : QByteArray());
                return;
            }
        }
        m_started = true;
    }

    ~PrivateWaylandCompositor() { childtestrun::stop(m_compositor); }

    PrivateWaylandCompositor(const PrivateWaylandCompositor &) = delete;
    PrivateWaylandCompositor &operator=(const PrivateWaylandCompositor &) = delete;

    bool started() const { return m_started; }
    // Why it did not start, for QSKIP.
    QByteArray failure() const { return m_failure.toUtf8(); }

    // Runs the test function (with its data row) that is running now again in a child on the compositor,
    // through Qt's Wayland platform and nothing else, with `variables` added to the child's environment.
    void runCurrentFunction(const QProcessEnvironment &variables = {}) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeFolder.path());
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socketName);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        // The headless compositor has no seat, and Qt 6.4's Wayland input method asks the missing
        // keyboard for its text input when it draws a line edit's caret.
        environment.insert(QStringLiteral("QT_IM_MODULE"), QStringLiteral("none"));
        environment.insert(QString::fromLatin1(hostingVariable), QStringLiteral("1"));
#ifdef KRV_WAYLAND_LEAK_SUPPRESSIONS
        childtestrun::addOption(environment, QStringLiteral("LSAN_OPTIONS"),
                                QStringLiteral("suppressions=" KRV_WAYLAND_LEAK_SUPPRESSIONS));
        childtestrun::addOption(environment, QStringLiteral("ASAN_OPTIONS"), QStringLiteral("fast_unwind_on_malloc=0"));
#endif
        for (const QString &name : variables.keys())
            environment.insert(name, variables.value(name));
        childtestrun::runCurrentFunction(environment);
    }

private:
    static constexpr const char *hostingVariable = "KRV_ON_PRIVATE_WAYLAND_COMPOSITOR";
    static inline const QString socketName = QStringLiteral("krv-test");

    QTemporaryDir m_runtimeFolder;
    QProcess m_compositor;
    QString m_failure;
    bool m_started = false;
};
