#include "print/preview/cupsjob.h"

#include "print/preview/libcups.h"
#include "print/preview/printsystemthread.h"

#include <vector>

namespace {

std::vector<cups_option_t> optionList(const QList<QPair<QByteArray, QByteArray>> &options)
{
    std::vector<cups_option_t> list;
    list.reserve(options.size());
    for (const auto &[keyword, value] : options)
        list.push_back({const_cast<char *>(keyword.constData()), const_cast<char *>(value.constData())});
    return list;
}

// Why the last request failed: the print system stopped answering, or the scheduler's own reason. A
// login that was refused or not given is told in the words of the login dialog, where the scheduler's
// reason would read "Unauthorized".
QString lastRefusal(const Libcups &cups, const PrintSystemWatch &watch)
{
    if (watch.stoppedAnswering())
        return QString::fromUtf8(PrintSystemStoppedAnswering);
    switch (cups.cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_AUTHENTICATED:
    case IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED:
        return QStringLiteral("bejelentkezés nélkül");
    default:
        return QString::fromUtf8(cups.cupsLastErrorString());
    }
}

std::optional<QString> sendJob(const Libcups *cups, const CupsJob &job)
{
    // An instance is the user's saved set of options; the scheduler knows only its queue.
    const QByteArray queue = job.printerName.section(u'/', 0, 0).toUtf8();
    const QByteArray title = job.title.toUtf8();
    std::vector<cups_option_t> options = optionList(job.options);
    const PrintSystemWatch watch(*cups);
    if (watch.unreachable())
        return QString::fromUtf8(PrintSystemUnreachable);

    const int jobId = cups->cupsCreateJob(CUPS_HTTP_DEFAULT, queue.constData(), title.constData(),
                                          int(options.size()), options.data());
    if (jobId == 0)
        return lastRefusal(*cups, watch);
    // The scheduler types the document itself, as it does for a file handed over by name.
    const bool sent =
        cups->cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), jobId, title.constData(), CUPS_FORMAT_AUTO, 1)
            == HTTP_STATUS_CONTINUE
        && cups->cupsWriteRequestData(CUPS_HTTP_DEFAULT, job.document.constData(), size_t(job.document.size()))
               == HTTP_STATUS_CONTINUE;
    if (sent && cups->cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData()) < IPP_STATUS_REDIRECTION_OTHER_SITE)
        return std::nullopt;
    const QString reason = lastRefusal(*cups, watch);
    cups->cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), jobId, 0);
    return reason;
}

} // namespace

std::optional<QString> submitCupsJob(const CupsJob &job)
{
    const Libcups *cups = libcups();
    if (!cups)
        return QStringLiteral("%1 nem tölthető be").arg(QLatin1StringView(LibcupsFileName));
    return askPrintSystem([&] { return sendJob(cups, job); });
}
