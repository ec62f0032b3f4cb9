#pragma once

#include <QStringList>

// Shows the box that lists what looks mistyped when the declaration is about to be printed, one problem
// a line, and returns true when the user prints all the same with "Nyomtatás így is". "Javítom" (also
// Enter, Escape and the close box) returns false.
bool askToPrintDespite(const QStringList &problems);
