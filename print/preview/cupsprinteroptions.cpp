#include "print/preview/cupsprinteroptions.h"

#include "print/preview/libcups.h"
#include "print/preview/printsystemthread.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <thread>
#include <utility>

// CUPS marks its PPD interface deprecated, yet only a PPD gives a driver's own options with the
// captions and translations the driver writes.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PpdCloser
{
    void operator()(ppd_file_t *ppd) const { libcups()->ppdClose(ppd); }
};
using PpdFile = std::unique_ptr<ppd_file_t, PpdCloser>;

QString captionOr(const char *text, const char *keyword)
{
    return QString::fromUtf8(*text ? text : keyword);
}

void appendOptions(QList<PrinterOption> &options, const ppd_group_t &group, const ppd_group_t &shownGroup)
{
    for (int i = 0; i < group.num_options; ++i) {
        const ppd_option_t &described = group.options[i];
        PrinterOption option;
        option.keyword = QString::fromUtf8(described.keyword);
        option.caption = captionOr(described.text, described.keyword);
        option.groupKeyword = QString::fromUtf8(shownGroup.name);
        option.groupCaption = captionOr(shownGroup.text, shownGroup.name);
        option.defaultChoice = QString::fromUtf8(described.defchoice);
        for (int c = 0; c < described.num_choices; ++c) {
            const ppd_choice_t &choice = described.choices[c];
            option.choices.append({QString::fromUtf8(choice.choice), captionOr(choice.text, choice.choice)});
        }
        options.append(option);
    }
    // Subgroups are shown within their group.
    for (int i = 0; i < group.num_subgroups; ++i)
        appendOptions(options, group.subgroups[i], shownGroup);
}

// The options of an opened PPD, in the user's language where the file has captions for it.
std::optional<QList<PrinterOption>> optionsOf(PpdFile ppd)
{
    if (!ppd)
        return std::nullopt;
    libcups()->ppdLocalize(ppd.get());
    QList<PrinterOption> options;
    for (int i = 0; i < ppd->num_groups; ++i)
        appendOptions(options, ppd->groups[i], ppd->groups[i]);
    return options;
}

// Reads what is left on a pipe, so that its writer never writes into a closed one.
void drain(int reading)
{
    char buffer[16384];
    for (;;) {
        const ssize_t count = read(reading, buffer, sizeof buffer);
        if (count == 0 || (count < 0 && errno != EINTR))
            return;
    }
}

struct FetchedPpd
{
    http_status_t status;
    PpdFile ppd; // none unless the status is OK and the file reads as a PPD
};

// The scheduler's PPD at resource, read while it arrives. Fetched into a file, as cupsGetPPD3 does, it
// would be cut short on a full disk without a word from CUPS, which does not check its writes; so CUPS
// writes into a pipe and a second thread reads the PPD from the other end.
FetchedPpd fetchPpd(const Libcups &cups, const QByteArray &resource)
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return {HTTP_STATUS_ERROR, nullptr};
    PpdFile parsed;
    std::thread parser([&cups, reading = ends[0], &parsed] {
        // The reader closes what it is given; the pipe's own end stays open to be drained.
        parsed.reset(cups.ppdOpenFd(fcntl(reading, F_DUPFD_CLOEXEC, 0)));
        drain(reading);
        close(reading);
    });
    const http_status_t status = cups.cupsGetFd(CUPS_HTTP_DEFAULT, resource.constData(), ends[1]);
    close(ends[1]);
    parser.join();
    if (status != HTTP_STATUS_OK)
        return {status, nullptr};
    return {status, std::move(parsed)};
}

enum class NetworkPrinter { NotOne, SetUp, Unreachable };

// A printer found on the network gets a queue, and with it a PPD, only once it is first used: the
// scheduler sets one up when asked about the printer's capabilities, as it does for its first job.
NetworkPrinter setUpDiscoveredPrinter(const Libcups &cups, const QByteArray &queue)
{
    cups_dest_t *destination = cups.cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!destination)
        return NetworkPrinter::NotOne;
    const char *type = cups.cupsGetOption("printer-type", destination->num_options, destination->options);
    NetworkPrinter outcome = NetworkPrinter::NotOne;
    if (type && (QByteArray(type).toUInt() & CUPS_PRINTER_DISCOVERED)) {
        cups_dinfo_t *capabilities = cups.cupsCopyDestInfo(CUPS_HTTP_DEFAULT, destination);
        outcome = capabilities ? NetworkPrinter::SetUp : NetworkPrinter::Unreachable;
        if (capabilities)
            cups.cupsFreeDestInfo(capabilities);
    }
    cups.cupsFreeDests(1, destination);
    return outcome;
}

std::optional<QList<PrinterOption>> readSchedulerOptions(const Libcups *cups, const QString &printerName)
{
    const PrintSystemWatch watch(*cups);
    if (watch.unreachable())
        return std::nullopt;
    // An instance shares its queue's PPD; the scheduler gives a class its first member's.
    const QByteArray queue = printerName.section(u'/', 0, 0).toLocal8Bit();
    const QByteArray resource = "/printers/" + queue + ".ppd";
    FetchedPpd fetched = fetchPpd(*cups, resource);
    if (fetched.status == HTTP_STATUS_NOT_FOUND) {
        switch (setUpDiscoveredPrinter(*cups, queue)) {
        case NetworkPrinter::NotOne: // a queue without a driver (a raw queue): nothing to set
            return QList<PrinterOption>();
        case NetworkPrinter::Unreachable:
            return std::nullopt;
        case NetworkPrinter::SetUp:
            fetched = fetchPpd(*cups, resource);
            break;
        }
    }
    if (fetched.status == HTTP_STATUS_NOT_FOUND)
        return QList<PrinterOption>();
    return optionsOf(std::move(fetched.ppd));
}

} // namespace

std::optional<QList<PrinterOption>> readPpdOptions(const QString &ppdPath)
{
    const Libcups *cups = libcups();
    if (!cups)
        return std::nullopt;
    return optionsOf(PpdFile(cups->ppdOpenFile(QFile::encodeName(ppdPath).constData())));
}

std::optional<QList<PrinterOption>> readCupsPrinterOptions(const QString &printerName)
{
    const Libcups *cups = libcups();
    if (!cups)
        return std::nullopt;
    return askPrintSystem([&] { return readSchedulerOptions(cups, printerName); });
}
