#pragma once

#include "print/processor.h"

#include <QString>

class TfrxReport;
class QWidget;

// The "Nyomtatás" command. With a non-empty taxpayer's name it renews the print identifier from the
// processor (asked once) and the name and puts it into the template's BarCode1; with an empty name both
// stay as they are. Then it prepares the page and, only when that succeeded, shows the preview.
void runPrintCommand(const QString &taxpayerName, QString &printIdentifier, TfrxReport &report,
                     const ProcessorIdentification &identifyProcessor, QWidget *previewParent = nullptr);
