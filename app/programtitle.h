#pragma once

#include <QString>

// The program's title: the executable's file name without its folder and without anything from the
// first full stop on, every letter after the first in lower case.
QString programTitle(const QString &executablePath);

// The text of the default error box: the message, with a full stop appended when its last character
// comes after the full stop in the character table.
QString errorBoxText(const QString &message);
