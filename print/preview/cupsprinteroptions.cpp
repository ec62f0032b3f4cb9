#include "print/preview/cupsprinteroptions.h"

#include "print/preview/libcups.h"

#include <QFile>

#include <memory>

// CUPS marks its PPD interface deprecated, yet only a PPD gives a driver's own options with the
// captions and translations the driver writes.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

struct PpdCloser
{
    void operator()(ppd_file_t *ppd) const { libcups()->ppdClose(ppd); }
};

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

} // namespace

std::optional<QList<PrinterOption>> readPpdOptions(const QString &ppdPath)
{
    const Libcups *cups = libcups();
    if (!cups)
        return std::nullopt;
    const std::unique_ptr<ppd_file_t, PpdCloser> ppd(cups->ppdOpenFile(QFile::encodeName(ppdPath).constData()));
    if (!ppd)
        return std::nullopt;
    // Takes the captions of the user's language, when the PPD has them, in place of its own.
    cups->ppdLocalize(ppd.get());
    QList<PrinterOption> options;
    for (int i = 0; i < ppd->num_groups; ++i)
        appendOptions(options, ppd->groups[i], ppd->groups[i]);
    return options;
}

std::optional<QList<PrinterOption>> readCupsPrinterOptions(const QString &printerName)
{
    const Libcups *cups = libcups();
    if (!cups)
        return std::nullopt;
    // An instance shares its queue's PPD.
    const QByteArray queue = printerName.section(u'/', 0, 0).toLocal8Bit();
    char ppdPath[1024] = "";
    time_t modified = 0;
    const http_status_t status =
        cups->cupsGetPPD3(CUPS_HTTP_DEFAULT, queue.constData(), &modified, ppdPath, sizeof ppdPath);
    // A queue without a driver (a raw queue) has no PPD and nothing to set.
    if (status == HTTP_STATUS_NOT_FOUND)
        return QList<PrinterOption>();
    if (status != HTTP_STATUS_OK)
        return std::nullopt;
    // The fetched file (or a link to the scheduler's copy) is ours to remove.
    const std::optional<QList<PrinterOption>> options = readPpdOptions(QFile::decodeName(ppdPath));
    QFile::remove(QFile::decodeName(ppdPath));
    return options;
}
