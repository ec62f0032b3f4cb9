#include "print/preview/previewprinter.h"

#include "dialogs/dialogs.h"
#include "print/pagedrawer.h"
#include "print/preview/printdevice.h"
#include "print/preview/printerlist.h"
#include "print/preview/printeroptions.h"
#include "print/preview/printeroptionsdialog.h"
#include "print/preview/printloop.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QScopeGuard>

PrintServices PrintServices::platform()
{
    PrintServices services;
    services.showPrinterProperties = [](QWidget *parent, const QString &printerName) {
        showPrinterOptions(parent, printerName, PrinterOptionStore::instance());
    };
    services.askPrintFile = [](QWidget *parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Print To File"), QString(),
                                            QStringLiteral("Printer files (*.prn)"));
    };
    // The file dialog's own question, in Qt's words, with "Nem" for the Enter key, as the dialog asks it.
    services.confirmReplacing = [](QWidget *parent, const QString &fileName) {
        const QString question =
            QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
        return QMessageBox::warning(parent, QStringLiteral("Print To File"), question.arg(fileName),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    services.openDevice = [](const QString &printerName, const QString &outputFileName) {
        return makePrintDevice(printerName, outputFileName, PrinterOptionStore::instance().jobOptions(printerName));
    };
    services.handlePendingEvents = [] { QCoreApplication::processEvents(); };
    return services;
}

PreviewPrinter::PreviewPrinter(const PageDrawer &pages, PrinterList &printers, PrintServices services)
    : m_pages(pages)
    , m_printers(printers)
    , m_services(std::move(services))
{
}

PreviewPrinter::~PreviewPrinter() = default;

void PreviewPrinter::print(QWidget *parent, int currentPageNumber)
{
    if (!m_printers.hasPrinters()) {
        // The error box of the Hungarian table is captioned "Hiba".
        ShowMessageBox(QStringLiteral("Nincs nyomtató telepítve"), mtError, {mbOK}, MessDlgs::Hungarian);
        return;
    }
    if (isPrinting())
        return;

    m_printers.selectNamed(printerOption.toString());
    const int previousPrinter = m_printers.currentIndex();
    TfrxPrintDialog dialog(m_printers, m_services.showPrinterProperties, parent);
    if (dialog.exec() != QDialog::Accepted) {
        m_printers.setCurrentIndex(previousPrinter);
        return;
    }
    const PrintDialogChoice choice = dialog.choice();
    const PrintOptions options = printOptionsFrom(choice, currentPageNumber);

    QString outputFile;
    if (choice.toFile) {
        const QString chosen = m_services.askPrintFile(parent);
        if (chosen.isEmpty())
            return;
        outputFile = printFileName(chosen);
        // The file dialog asked before replacing the file it was given; the print writes the name with
        // ".prn" in place of its extension, which may be another file.
        if (outputFile != chosen && QFileInfo::exists(outputFile)
            && !m_services.confirmReplacing(parent, QFileInfo(outputFile).fileName()))
            return;
    }

    const std::unique_ptr<PrintDevice> device = m_services.openDevice(m_printers.current().name, outputFile);
    PrintLoop loop(m_pages, *device, m_services.handlePendingEvents);
    m_loop = &loop;
    const auto notPrinting = qScopeGuard([this] { m_loop = nullptr; });
    loop.run(planPrint(options, m_pages.pageCount()), jobTitle.toString());
}

void PreviewPrinter::cancel()
{
    if (m_loop)
        m_loop->cancel();
}
