#pragma once

#include "print/preview/printeroptions.h"

#include <QList>
#include <QString>

#include <optional>

// The options a PPD file describes, in its order, with the captions in the user's language where the
// file carries translations for it. nullopt when the file cannot be read as a PPD.
std::optional<QList<PrinterOption>> readPpdOptions(const QString &ppdPath);

// The options of a CUPS printer ("queue" or "queue/instance"), from the PPD its scheduler holds; none
// for a queue without a PPD. nullopt when the scheduler cannot be reached or the PPD cannot be read.
std::optional<QList<PrinterOption>> readCupsPrinterOptions(const QString &printerName);
