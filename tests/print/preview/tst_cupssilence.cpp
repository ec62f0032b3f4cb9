// A print server that takes the connection and then never answers, as a hung scheduler or print server
// does: the socket listens, the kernel completes each connection, and nobody reads the request. Each
// request of the program gives up once it has waited its patience, shortened here, and says why. CUPS
// alone waits a minute or two for every request; without the limit this test runs into its time limit.
// The windows go on meanwhile.
#include "common/exception.h"
#include "print/preview/cupsjob.h"
#include "print/preview/cupsprinteroptions.h"
#include "print/preview/libcups.h"
#include "print/preview/printerlist.h"

#include <QTest>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Listens on a free port of the loopback address and never accepts.
class SilentServer
{
public:
    SilentServer()
    {
        m_socket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_socket < 0 || bind(m_socket, reinterpret_cast<sockaddr *>(&address), length) != 0
            || listen(m_socket, 64) != 0 || getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        m_port = ntohs(address.sin_port);
    }
    ~SilentServer()
    {
        if (m_socket >= 0)
            close(m_socket);
    }
    SilentServer(const SilentServer &) = delete;
    SilentServer &operator=(const SilentServer &) = delete;

    // 0 when it could not listen.
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

} // namespace

class TestCupsSilence : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printerListSaysThePrintSystemDoesNotAnswer();
    void jobSaysThePrintSystemDoesNotAnswer();
    void printerOptionsCannotBeRead();
    void windowsGoOnWhileTheyWait();

private:
    SilentServer m_silentServer;
};

void TestCupsSilence::initTestCase()
{
    QVERIFY(m_silentServer.port() != 0);
    // CUPS reads it when it first connects.
    qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(m_silentServer.port()));
    QVERIFY(libcups());
    setPrintSystemPatience(0.5);
}

// Reported as a failure, not as "no printer installed"; and asked again at the next print, not kept.
void TestCupsSilence::printerListSaysThePrintSystemDoesNotAnswer()
{
    PrinterList printers(makeSystemPrinterSource());
    for (int print = 1; print <= 2; ++print) {
        QString failure;
        try {
            printers.hasPrinters();
        } catch (const Exception &error) {
            failure = error.message();
        }
        QCOMPARE(failure, QStringLiteral("A nyomtatók nem kérdezhetők le: a nyomtatási rendszer nem válaszol."));
    }
}

void TestCupsSilence::jobSaysThePrintSystemDoesNotAnswer()
{
    const CupsJob job{QStringLiteral("krvtest"), QStringLiteral("KRV11007"), {}, QByteArray("%PDF-1.4\n")};
    QCOMPARE(submitCupsJob(job), std::optional<QString>(QStringLiteral("a nyomtatási rendszer nem válaszol")));
}

void TestCupsSilence::printerOptionsCannotBeRead()
{
    QCOMPARE(readCupsPrinterOptions(QStringLiteral("krvtest")), std::nullopt);
}

// The request waits on a thread of its own while the windows' thread runs its events: the windows paint
// and answer the window manager, which would otherwise offer to end a program that hangs.
void TestCupsSilence::windowsGoOnWhileTheyWait()
{
    int ticks = 0;
    QTimer clock;
    clock.setInterval(20);
    connect(&clock, &QTimer::timeout, this, [&ticks] { ++ticks; });
    clock.start();
    const CupsJob job{QStringLiteral("krvtest"), QStringLiteral("KRV11007"), {}, QByteArray("%PDF-1.4\n")};
    QCOMPARE(submitCupsJob(job), std::optional<QString>(QStringLiteral("a nyomtatási rendszer nem válaszol")));
    // Half a second of waiting: some twenty-five ticks on an idle machine.
    QVERIFY2(ticks >= 5, qPrintable(QStringLiteral("%1 ticks while the request waited").arg(ticks)));
}

QTEST_MAIN(TestCupsSilence)
#include "tst_cupssilence.moc"
