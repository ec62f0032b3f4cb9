#pragma once

#include <QString>

// Reads a whole number the way the form's integer fields and saved option indexes are read: leading
// spaces, an optional sign, then decimal digits or a hexadecimal mark ("$", "x", "X", "0x", "0X") with
// up to eight significant hexadecimal digits taken as a 32-bit pattern. The digits must end the text.
// Anything else fails with "'%s' is not a valid integer value".
int parseIntegerText(const QString &text);
