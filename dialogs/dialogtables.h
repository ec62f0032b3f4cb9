#pragma once

#include "dialogs/dialogs.h"

#include <QStyle>

#include <optional>

namespace MessDlgs {

struct ButtonKind
{
    TMsgDlgBtn button;
    const char *controlName;
    int result; // mrNone: the button does not close the dialog
    int captionEntry;
};

struct DialogKind
{
    TMsgDlgType type;
    std::optional<QStyle::StandardPixmap> icon;
    int titleEntry; // unused for the custom type, which takes the application's title
};

const ButtonKind &buttonKind(TMsgDlgBtn button);
const DialogKind &dialogKind(TMsgDlgType type);

// The button that Enter presses and the one that Escape presses, when the set has them.
std::optional<TMsgDlgBtn> defaultButtonOf(TMsgDlgButtons buttons);
std::optional<TMsgDlgBtn> cancelButtonOf(TMsgDlgButtons buttons);

} // namespace MessDlgs
