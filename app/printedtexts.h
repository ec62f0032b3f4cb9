#pragma once

#include "form/checks/fieldcheck.h"

#include <QList>

class DeclarationSource;
class TfrxReport;

// The free texts of the declaration that the printed page cannot hold whole, as problems for the list
// shown before printing: what goes beyond a text's box on the page is cut off. Each problem names the
// field to fix. A text whose value cannot be read (no reason chosen) is left to the page's preparation,
// which reports it.
QList<Problem> textsCutOffOnThePage(const DeclarationSource &declaration, TfrxReport &report);
