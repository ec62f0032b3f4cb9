#include "print/preview/printeroptions.h"

#include "print/preview/cupsprinteroptions.h"

namespace {

// The paper size and the copies are set by the print path itself; PageRegion is the paper size for
// manually fed paper.
const QStringList fixedOptionKeywords = {QStringLiteral("PageSize"), QStringLiteral("PageRegion"),
                                         QStringLiteral("Collate")};

// Drivers name their two-sided printing and their page orientation in many ways (Duplex, EFDuplex,
// KD03Duplex, manualduplex, contentorientation...).
bool isDuplexOrOrientationOption(const QString &keyword)
{
    return keyword.contains(QStringLiteral("duplex"), Qt::CaseInsensitive)
        || keyword.contains(QStringLiteral("orientation"), Qt::CaseInsensitive);
}

// A custom choice needs values typed by the user, which the dialog does not ask for.
bool isCustomChoice(const PrinterChoice &choice)
{
    return choice.keyword == QStringLiteral("Custom");
}

bool isFixed(const PrinterOption &option)
{
    return fixedOptionKeywords.contains(option.keyword) || isDuplexOrOrientationOption(option.keyword)
        || option.groupKeyword == QStringLiteral("InstallableOptions");
}

int indexOfChoice(const PrinterOption &option, const QString &keyword)
{
    for (int i = 0; i < option.choices.size(); ++i) {
        if (option.choices.at(i).keyword == keyword)
            return i;
    }
    return -1;
}

} // namespace

PrinterOptions::PrinterOptions(const QList<PrinterOption> &described)
{
    for (PrinterOption option : described) {
        if (isFixed(option))
            continue;
        option.choices.removeIf(isCustomChoice);
        if (option.choices.isEmpty())
            continue;
        const int defaultIndex = indexOfChoice(option, option.defaultChoice);
        m_options.append(option);
        m_default.append(defaultIndex);
        m_chosen.append(qMax(defaultIndex, 0));
    }
}

int PrinterOptions::chosenIndex(int option) const
{
    return m_chosen.value(option, -1);
}

void PrinterOptions::choose(int option, int choice)
{
    if (option < 0 || option >= m_options.size())
        return;
    if (choice < 0 || choice >= m_options.at(option).choices.size())
        return;
    m_chosen[option] = choice;
}

QList<QPair<QString, QString>> PrinterOptions::jobOptions() const
{
    QList<QPair<QString, QString>> named;
    for (int i = 0; i < m_options.size(); ++i) {
        if (m_chosen.at(i) != m_default.at(i))
            named.append({m_options.at(i).keyword, m_options.at(i).choices.at(m_chosen.at(i)).keyword});
    }
    return named;
}

PrinterOptionStore::PrinterOptionStore(Reader reader)
    : m_reader(std::move(reader))
{
}

PrinterOptionStore &PrinterOptionStore::instance()
{
    static PrinterOptionStore store(&readCupsPrinterOptions);
    return store;
}

std::optional<PrinterOptions> PrinterOptionStore::options(const QString &printerName)
{
    for (const QMap<QString, PrinterOptions> *known : {&m_kept, &m_read}) {
        const auto found = known->constFind(printerName);
        if (found != known->constEnd())
            return *found;
    }
    const std::optional<QList<PrinterOption>> described = m_reader(printerName);
    if (!described)
        return std::nullopt;
    return *m_read.insert(printerName, PrinterOptions(*described));
}

void PrinterOptionStore::keep(const QString &printerName, const PrinterOptions &options)
{
    m_kept.insert(printerName, options);
}

QList<QPair<QString, QString>> PrinterOptionStore::jobOptions(const QString &printerName) const
{
    return m_kept.value(printerName).jobOptions();
}
