#include "print/printcommand.h"

#include "print/report.h"

void runPrintCommand(const QString &taxpayerName, QString &printIdentifier, TfrxReport &report,
                     const ProcessorIdentification &identifyProcessor, QWidget *previewParent)
{
    if (!taxpayerName.isEmpty()) {
        printIdentifier = makePrintIdentifier(identifyProcessor(), taxpayerName);
        if (TfrxView *barcode = report.FindObject(QStringLiteral("BarCode1")))
            barcode->text = printIdentifier;
    }
    if (report.PreparePages(true))
        report.ShowPreview(previewParent);
}
