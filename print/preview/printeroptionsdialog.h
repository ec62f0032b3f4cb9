#pragma once

#include "print/preview/printeroptions.h"

#include <QDialog>
#include <QString>

#include <optional>

// The printer's own settings as its driver offers them: a list of choices per option, grouped as the
// driver groups them. It edits a copy; the caller keeps options() when the dialog is accepted.
class PrinterOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    // Without options the dialog says that the printer's settings cannot be read.
    PrinterOptionsDialog(const QString &printerName, const std::optional<PrinterOptions> &options,
                         QWidget *parent = nullptr);

    const PrinterOptions &options() const { return m_options; }

private:
    QWidget *createScrollArea(QWidget *content);
    QWidget *createOptionGroups();

    PrinterOptions m_options;
};

// The print dialog's "Tulajdonságok..." for a printer: its choices stay in the store when confirmed.
void showPrinterOptions(QWidget *parent, const QString &printerName, PrinterOptionStore &store);
