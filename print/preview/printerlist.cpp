#include "print/preview/printerlist.h"

#include <QPrinterInfo>

namespace {

class SystemPrinterSource : public PrinterSource
{
public:
    QList<PrinterEntry> installedPrinters() const override
    {
        QList<PrinterEntry> entries;
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        for (const QPrinterInfo &printer : printers)
            entries.append({printer.printerName(), printer.location()});
        return entries;
    }

    QString defaultPrinterName() const override { return QPrinterInfo::defaultPrinterName(); }
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
    m_loaded = true;
    m_printers = m_source ? m_source->installedPrinters() : QList<PrinterEntry>();
    m_hasPrinters = !m_printers.isEmpty();
    m_current = 0;
    if (!m_hasPrinters) {
        m_printers = {{QStringLiteral("Virtuális"), QString()}};
        return;
    }
    // When the default printer is not among the listed ones, the first listed stays current.
    const QString defaultName = m_source->defaultPrinterName();
    for (int i = 0; i < m_printers.size(); ++i) {
        if (m_printers.at(i).name == defaultName) {
            m_current = i;
            return;
        }
    }
}
