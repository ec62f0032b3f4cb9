#pragma once

#include <QString>

// The default error box: the failure's message under the full-stop rule, the program title as
// caption, the error icon and one OK button, modal to the program.
void showDefaultErrorBox(const QString &message);
