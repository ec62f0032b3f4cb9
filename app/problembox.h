#pragma once

#include <QStringList>

#include <memory>

namespace MessDlgs {
class TMessageForm;
}

// The box that lists what looks mistyped when the declaration is about to be printed, one problem a
// line. "Javítom" (also Enter, Escape and the close box) closes it with mrCancel, "Nyomtatás így is"
// with mrIgnore.
std::unique_ptr<MessDlgs::TMessageForm> createProblemBox(const QStringList &problems);

// Shows the box modally; true when the user prints all the same.
bool askToPrintDespite(const QStringList &problems);
