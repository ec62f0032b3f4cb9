#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTest>

// A test case that runs again in a child of the test executable, under a private window system that
// the parent started: an X server, a Wayland compositor.
namespace childtestrun {

// Generous: the machine may be busy, and a child that hangs fails all the same.
inline constexpr int functionTimeout = 60000;

// Runs the test function (with its data row) that is running now again in a child with the given
// environment, and fails when it does not pass there.
inline void runCurrentFunction(const QProcessEnvironment &environment)
{
    const QByteArray function = QTest::currentTestFunction();
    const QByteArray row = QTest::currentDataTag();
    const QString testCase = QString::fromLatin1(row.isNull() ? function : function + ':' + row);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {testCase});
    QVERIFY(child.waitForFinished(functionTimeout));
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
    // A child that skipped ends well too; only its PASS line tells that the case ran.
    const QByteArray passed = "::" + function + '(' + row + ')';
    bool found = false;
    for (const QByteArray &line : output.split('\n'))
        found = found || (line.startsWith("PASS   : ") && line.trimmed().endsWith(passed));
    QVERIFY2(found, output.constData());
}

// Puts a sanitizer option (such as a suppression file) before what the variable already holds.
inline void addOption(QProcessEnvironment &environment, const QString &variable, const QString &option)
{
    const QString inherited = environment.value(variable);
    environment.insert(variable, inherited.isEmpty() ? option : option + u':' + inherited);
}

// Ends a helper process, politely first.
inline void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished(3000);
}

} // namespace childtestrun
