#pragma once

#include "dialogs/dialogs.h"
#include "dialogs/messageform.h"

#include <memory>
#include <optional>

namespace MessDlgs {

// The font the dialog is measured and built in.
QFont dialogFont(const Settings &settings);

// The screen the user is looking at: that of the active window, else the primary one.
QRect currentScreen();

// The dialogs built from the current settings, placed and ready to run, but not shown.
std::unique_ptr<TMessageForm> createMessageForm(const MessageBoxRequest &request);
std::unique_ptr<TMessageForm> createInputForm(const QString &caption, const QString &prompt, const QString &value);

// Opens the help topic through the replaceable help function.
void openHelpTopic(int helpContext);

// Build, show modally, destroy.
int runMessageBox(const MessageBoxRequest &request);
std::optional<QString> runInputBox(const QString &caption, const QString &prompt, const QString &value);

} // namespace MessDlgs
