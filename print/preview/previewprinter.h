#pragma once

#include "print/preview/printdialog.h"

#include <QString>

#include <functional>
#include <memory>

class PageDrawer;
class PrintDevice;
class PrintLoop;
class PrinterList;
class QWidget;

// What the print button needs of the platform, each replaceable in tests.
struct PrintServices
{
    TfrxPrintDialog::PropertiesDialog showPrinterProperties;
    // The file chosen in the "Print To File" dialog; empty when it was cancelled.
    std::function<QString(QWidget *parent)> askPrintFile;
    // Whether the existing file of that name may be replaced.
    std::function<bool(QWidget *parent, const QString &fileName)> confirmReplacing;
    std::function<std::unique_ptr<PrintDevice>(const QString &printerName, const QString &outputFileName)> openDevice;
    std::function<void()> handlePendingEvents;

    static PrintServices platform();
};

// The preview's print button: from the printer check through the print dialog to the print loop.
class PreviewPrinter
{
public:
    // The printer that is chosen, when installed, before the dialog opens.
    static constexpr QStringView printerOption = u"Default";
    static constexpr QStringView jobTitle = u"KRV11007";

    PreviewPrinter(const PageDrawer &pages, PrinterList &printers, PrintServices services);
    ~PreviewPrinter();

    // Runs the print button for the preview showing currentPageNumber. Fails with EConvertError on a
    // copies entry that is not a whole number; nothing is printed then.
    void print(QWidget *parent, int currentPageNumber);

    bool isPrinting() const { return m_loop != nullptr; }
    // Aborts a running job after the page being printed.
    void cancel();

private:
    const PageDrawer &m_pages;
    PrinterList &m_printers;
    PrintServices m_services;
    PrintLoop *m_loop = nullptr;
};
