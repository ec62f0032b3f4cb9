#pragma once

#include <QString>

// The default error box: the failure's message under the full-stop rule, as plain text and of a very
// long unbroken run only its start and end, the program title as caption, the error icon and one OK
// button, modal to the program.
void showDefaultErrorBox(const QString &message);
