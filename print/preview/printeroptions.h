#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>

// One choice of a printer option: the keyword the job carries and the caption the printer gives it.
struct PrinterChoice
{
    QString keyword;
    QString caption;

    bool operator==(const PrinterChoice &) const = default;
};

// One setting of a printer as its driver describes it (a PPD option, such as Resolution or InputSlot).
struct PrinterOption
{
    QString keyword;
    QString caption;
    QString groupKeyword;
    QString groupCaption;
    QList<PrinterChoice> choices;
    QString defaultChoice; // the keyword the printer takes when the job names none

    bool operator==(const PrinterOption &) const = default;
};

// The settings a printer offers in the properties dialog and the choice made in each. The page is
// always A4, portrait and one-sided, copies belong to the print dialog, and installable options
// describe the printer's hardware rather than a job, so none of those is offered.
class PrinterOptions
{
public:
    PrinterOptions() = default;
    explicit PrinterOptions(const QList<PrinterOption> &described);

    const QList<PrinterOption> &options() const { return m_options; }
    bool isEmpty() const { return m_options.isEmpty(); }
    int chosenIndex(int option) const;
    // Out-of-range indexes are ignored.
    void choose(int option, int choice);

    // What the job names: every option whose choice is not the printer's default, as keyword and
    // choice keyword.
    QList<QPair<QString, QString>> jobOptions() const;

private:
    QList<PrinterOption> m_options;
    QList<int> m_chosen;
    QList<int> m_default; // -1 when the printer's default is not among the offered choices
};

// The options of every printer for the rest of the run: read from the printer when its properties
// are first shown, then kept with the choices made, so later print jobs carry them.
class PrinterOptionStore
{
public:
    // The printer's options as its driver describes them; nullopt when they cannot be read.
    using Reader = std::function<std::optional<QList<PrinterOption>>(const QString &printerName)>;

    explicit PrinterOptionStore(Reader reader);

    // The store the preview prints with; it reads through CUPS.
    static PrinterOptionStore &instance();

    // The kept options with their choices, else the options as read (on first use). A printer whose
    // options cannot be read is asked again next time.
    std::optional<PrinterOptions> options(const QString &printerName);
    void keep(const QString &printerName, const PrinterOptions &options);
    // Empty for a printer whose properties were never confirmed: the printer's defaults apply.
    QList<QPair<QString, QString>> jobOptions(const QString &printerName) const;

private:
    Reader m_reader;
    QMap<QString, PrinterOptions> m_read;
    // Apart from what was read, so that a dialog that was only looked at or cancelled changes no job,
    // even where the dialog shows a choice in place of a default the printer does not list.
    QMap<QString, PrinterOptions> m_kept;
};
