#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// A private X server (Xvfb) with the openbox window manager, for what only a real window system shows:
// frames, activation handed back by the window manager, scale factors. Both end with the object,
// whatever way the test ends. Tests whose binary defines KRV_XCB_LEAK_SUPPRESSIONS pass it on to
// children, since in a sanitizer build the X libraries' caches would count as their leaks.
class PrivateXServer
{
public:
    // Extra arguments of openbox, such as its configuration file.
    explicit PrivateXServer(const QStringList &windowManagerArguments = {})
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty()) {
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
        stop(m_windowManager);
        stop(m_server);
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
#ifdef KRV_XCB_LEAK_SUPPRESSIONS
        const QString inheritedLeakOptions = environment.value(QStringLiteral("LSAN_OPTIONS"));
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           QStringLiteral("suppressions=" KRV_XCB_LEAK_SUPPRESSIONS)
                               + (inheritedLeakOptions.isEmpty() ? QString() : u':' + inheritedLeakOptions));
#endif
        return environment;
    }

private:
    static void stop(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(3000))
            process.kill();
        process.waitForFinished(3000);
    }

    QProcess m_server;
    QProcess m_windowManager;
    QString m_display;
    QString m_failure;
    bool m_started = false;
};
