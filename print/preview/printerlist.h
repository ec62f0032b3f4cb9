#pragma once

#include <QList>
#include <QString>

#include <memory>

// One installed printer as the print dialog shows it.
struct PrinterEntry
{
    QString name;
    QString port; // empty when the printing system gives none

    bool operator==(const PrinterEntry &) const = default;
};

// The installed printers and the name of the system's default among them, from one query.
struct InstalledPrinters
{
    QList<PrinterEntry> printers;
    QString defaultName;
};

// Where the installed printers come from: the platform's printing system, or a fake in tests.
class PrinterSource
{
public:
    virtual ~PrinterSource() = default;

    virtual InstalledPrinters installedPrinters() const = 0;
};

// The printers of the platform's printing system, CUPS. CUPS has no port; the printer's location is
// what it gives for "where".
std::unique_ptr<PrinterSource> makeSystemPrinterSource();

// The installed printers and the current one. Built on first use and kept for the rest of the run,
// so a printer chosen in the print dialog stays chosen for later prints. With no printer installed
// it holds one placeholder entry, "Virtuális", and hasPrinters() is false; hasPrinters(), which every
// print asks first, then looks again.
class PrinterList
{
public:
    explicit PrinterList(std::unique_ptr<PrinterSource> source);

    // The list the preview prints with. Tests replace its source, which also forgets what was loaded.
    static PrinterList &instance();
    void setSource(std::unique_ptr<PrinterSource> source);

    bool hasPrinters();
    const QList<PrinterEntry> &printers();
    int currentIndex();
    const PrinterEntry &current();

    // Out-of-range indexes are ignored.
    void setCurrentIndex(int index);
    // Makes the printer of that name current, letter case not counting; returns whether one matched.
    bool selectNamed(const QString &name);

private:
    void loadOnFirstUse();

    std::unique_ptr<PrinterSource> m_source;
    bool m_loaded = false;
    bool m_hasPrinters = false;
    QList<PrinterEntry> m_printers;
    int m_current = 0;
};
