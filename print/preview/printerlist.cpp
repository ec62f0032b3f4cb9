#include "print/preview/printerlist.h"

#include "common/exception.h"
#include "print/preview/libcups.h"
#include "print/preview/printsystemthread.h"
#include "print/preview/waitcursor.h"

#include <QByteArray>

namespace {

// The destinations CUPS offers this user: its queues, their instances, the user's default among them
// (lpoptions and LPDEST or PRINTER count), and printers found on the network.
class CupsDestinations
{
public:
    // A print system that cannot be reached has no printers to offer; one that stops answering is a
    // failure of its own.
    CupsDestinations()
        : m_cups(libcups())
    {
        if (!m_cups)
            return;
        const WaitCursor busy;
        const bool stoppedAnswering = askPrintSystem([this] {
            const PrintSystemWatch watch(*m_cups);
            if (watch.unreachable())
                return false;
            m_count = m_cups->cupsGetDests2(CUPS_HTTP_DEFAULT, &m_destinations);
            return watch.stoppedAnswering();
        });
        if (stoppedAnswering) {
            m_cups->cupsFreeDests(m_count, m_destinations);
            throw Exception(QStringLiteral("A nyomtatók nem kérdezhetők le: %1.")
                                .arg(QString::fromUtf8(PrintSystemStoppedAnswering)));
        }
    }
    ~CupsDestinations()
    {
        if (m_cups)
            m_cups->cupsFreeDests(m_count, m_destinations);
    }
    CupsDestinations(const CupsDestinations &) = delete;
    CupsDestinations &operator=(const CupsDestinations &) = delete;

    const cups_dest_t *begin() const { return m_destinations; }
    const cups_dest_t *end() const { return m_destinations + m_count; }

    // An instance is named after its queue, as "queue/instance"; printing takes the queue from it.
    static QString name(const cups_dest_t &destination)
    {
        QByteArray name(destination.name);
        if (destination.instance)
            name += '/' + QByteArray(destination.instance);
        return QString::fromLocal8Bit(name);
    }

    QString location(const cups_dest_t &destination) const
    {
        return QString::fromUtf8(
            m_cups->cupsGetOption("printer-location", destination.num_options, destination.options));
    }

private:
    const Libcups *m_cups;
    cups_dest_t *m_destinations = nullptr;
    int m_count = 0;
};

class SystemPrinterSource : public PrinterSource
{
public:
    InstalledPrinters installedPrinters() const override
    {
        const CupsDestinations destinations;
        InstalledPrinters installed;
        for (const cups_dest_t &destination : destinations) {
            installed.printers.append({CupsDestinations::name(destination), destinations.location(destination)});
            if (destination.is_default)
                installed.defaultName = CupsDestinations::name(destination);
        }
        return installed;
    }
};

} // namespace

std::unique_ptr<PrinterSource> makeSystemPrinterSource()
{
    return std::make_unique<SystemPrinterSource>();
}

PrinterList::PrinterList(std::unique_ptr<PrinterSource> source)
    : m_source(std::move(source))
{
}

PrinterList &PrinterList::instance()
{
    static PrinterList list(makeSystemPrinterSource());
    return list;
}

void PrinterList::setSource(std::unique_ptr<PrinterSource> source)
{
    m_source = std::move(source);
    m_loaded = false;
}

bool PrinterList::hasPrinters()
{
    // Only a list with printers is kept: without one there is no choice to keep, and the next print
    // finds a printer installed meanwhile without a restart of the program.
    if (m_loaded && !m_hasPrinters)
        m_loaded = false;
    loadOnFirstUse();
    return m_hasPrinters;
}

const QList<PrinterEntry> &PrinterList::printers()
{
    loadOnFirstUse();
    return m_printers;
}

int PrinterList::currentIndex()
{
    loadOnFirstUse();
    return m_current;
}

const PrinterEntry &PrinterList::current()
{
    loadOnFirstUse();
    return m_printers.at(m_current);
}

void PrinterList::setCurrentIndex(int index)
{
    loadOnFirstUse();
    if (index >= 0 && index < m_printers.size())
        m_current = index;
}

bool PrinterList::selectNamed(const QString &name)
{
    loadOnFirstUse();
    if (!m_hasPrinters)
        return false;
    for (int i = 0; i < m_printers.size(); ++i) {
        if (m_printers.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            m_current = i;
            return true;
        }
    }
    return false;
}

void PrinterList::loadOnFirstUse()
{
    if (m_loaded)
        return;
    // A list that could not be read is asked for again next time.
    const InstalledPrinters installed = m_source ? m_source->installedPrinters() : InstalledPrinters();
    m_printers = installed.printers;
    m_loaded = true;
    m_hasPrinters = !m_printers.isEmpty();
    m_current = 0;
    if (!m_hasPrinters) {
        m_printers = {{QStringLiteral("Virtuális"), QString()}};
        return;
    }
    // When the default printer is not among the listed ones, the first listed stays current.
    for (int i = 0; i < m_printers.size(); ++i) {
        if (m_printers.at(i).name == installed.defaultName) {
            m_current = i;
            return;
        }
    }
}
