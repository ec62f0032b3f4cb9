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
#include <QScopeGuard>

namespace {

// The file dialog asks before replacing the file it was given; the print writes the name with ".prn" in
// place of its extension, which may be another file. The question is the dialog's own, in Qt's words.
bool mayReplace(const QString &chosen, const QString &written)
{
    if (written == chosen || !QFileInfo::exists(written))
        return true;
    const QString question =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
    return ShowMessageBox(question.arg(QFileInfo(written).fileName()), mtWarning, {mbYes, mbNo},
                          MessDlgs::Hungarian) == mrYes;
}

} // namespace

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
        if (!mayReplace(chosen, outputFile))
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
