#pragma once

#include "tests/support/childtestrun.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTest>

// A private X server (Xvfb) with the openbox window manager, or without any, for what only a real window
// system shows: frames, activation handed back by the window manager or not, scale factors. Both end
// with the object, whatever way the test ends. The test runs again, as a child of itself, on the server: one test
// function (runCurrentFunction) or the whole test (runWholeTest). Tests whose binary defines
// KRV_XCB_LEAK_SUPPRESSIONS pass it on to children, since in a sanitizer build the X libraries'
// caches would count as their leaks.
class PrivateXServer
{
public:
    // Whether this process is the child that runs on the server.
    static bool isHosting() { return qEnvironmentVariableIsSet(hostingVariable); }

    enum class WindowManager { Openbox, None };

    // Extra arguments of openbox, such as its configuration file.
    explicit PrivateXServer(const QStringList &windowManagerArguments = {})
        : PrivateXServer(WindowManager::Openbox, windowManagerArguments)
    {
    }

    // With WindowManager::None the X server runs alone: nothing frames a window or hands the activation
    // on when one closes, as under the barest window managers.
    explicit PrivateXServer(WindowManager windowManager, const QStringList &windowManagerArguments = {})
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || (windowManager == WindowManager::Openbox && openbox.isEmpty())) {
            m_failure = QStringLiteral("Xvfb or openbox is not installed");
            return;
        }
        m_server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                              QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                              QStringLiteral("1280x1024x24")});
        if (!m_server.waitForStarted(5000) || !m_server.waitForReadyRead(10000)) {
            m_failure = QStringLiteral("Xvfb does not start");
            return;
        }
        m_display = QStringLiteral(":") + QString::fromLatin1(m_server.readLine().trimmed());
        if (windowManager == WindowManager::None) {
            m_started = true;
            return;
        }

        m_windowManager.setProcessEnvironment(environment());
        // openbox runs the start-up command once it manages the screen; before that no window is
        // framed or activated.
        m_windowManager.start(openbox, QStringList{QStringLiteral("--startup"), QStringLiteral("echo openbox-ready")}
                                           + windowManagerArguments);
        QDeadlineTimer deadline(10000);
        while (!m_windowManager.readAll().contains("openbox-ready")) {
            if (deadline.hasExpired() || !m_windowManager.waitForReadyRead(int(deadline.remainingTime()))) {
                m_failure = QStringLiteral("openbox does not start");
                return;
            }
        }
        m_started = true;
    }

    ~PrivateXServer()
    {
        childtestrun::stop(m_windowManager);
        childtestrun::stop(m_server);
    }

    PrivateXServer(const PrivateXServer &) = delete;
    PrivateXServer &operator=(const PrivateXServer &) = delete;

    bool started() const { return m_started; }
    // Why it did not start, for QSKIP.
    QByteArray failure() const { return m_failure.toUtf8(); }

    // The environment of a child that runs on this server through Qt's X11 platform.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QString::fromLatin1(hostingVariable), QStringLiteral("1"));
#ifdef KRV_XCB_LEAK_SUPPRESSIONS
        childtestrun::addOption(environment, QStringLiteral("LSAN_OPTIONS"),
                                QStringLiteral("suppressions=" KRV_XCB_LEAK_SUPPRESSIONS));
#endif
        return environment;
    }

    // Runs the test function (with its data row) that is running now again in a child on the server,
    // with `variables` added to the child's environment, and fails when it does not pass there.
    void runCurrentFunction(const QProcessEnvironment &variables = {}) const
    {
        QProcessEnvironment childEnvironment = environment();
        for (const QString &name : variables.keys())
            childEnvironment.insert(name, variables.value(name));
        childtestrun::runCurrentFunction(childEnvironment);
    }

    // Runs the whole test with the given command line in a child on the server, its output passed
    // through; returns its exit code, as the test's own would be.
    int runWholeTest(const QStringList &arguments) const
    {
        QProcess child;
        child.setProcessEnvironment(environment());
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), arguments.mid(1));
        if (!child.waitForFinished(wholeTestTimeout)) {
            childtestrun::stop(child);
            qWarning("the test did not end on the private X server");
            return 1;
        }
        return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
    }

private:
    static constexpr const char *hostingVariable = "KRV_ON_PRIVATE_X_SERVER";
    // Generous: the machine may be busy, and a child that hangs fails all the same.
    static constexpr int wholeTestTimeout = 300000;

    QProcess m_server;
    QProcess m_windowManager;
    QString m_display;
    QString m_failure;
    bool m_started = false;
};
