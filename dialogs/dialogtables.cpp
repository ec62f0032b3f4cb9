#include "dialogs/dialogtables.h"

#include "dialogs/languagetable.h"

#include <array>

namespace MessDlgs {

namespace {

constexpr std::array<ButtonKind, msgDlgButtonCount> buttonTable = {{
    {mbYes, "Yes", mrYes, 6},
    {mbNo, "No", mrNo, 7},
    {mbOK, "OK", mrOk, 8},
    {mbCancel, "Cancel", mrCancel, 9},
    {mbAbort, "Abort", mrAbort, 10},
    {mbRetry, "Retry", mrRetry, 11},
    {mbIgnore, "Ignore", mrIgnore, 12},
    {mbAll, "All", mrAll, 13},
    {mbNoToAll, "NoToAll", mrNoToAll, 14},
    {mbYesToAll, "YesToAll", mrYesToAll, 15},
    {mbHelp, "Help", mrNone, 16},
}};

constexpr std::array<DialogKind, mtCustom + 1> dialogTable = {{
    {mtWarning, QStyle::SP_MessageBoxWarning, entryWarningTitle},
    {mtError, QStyle::SP_MessageBoxCritical, entryErrorTitle},
    {mtInformation, QStyle::SP_MessageBoxInformation, entryInformationTitle},
    {mtConfirmation, QStyle::SP_MessageBoxQuestion, entryConfirmationTitle},
    {mtCustom, std::nullopt, entryCustomTitle},
}};

// Both tables are looked up by their enumeration value.
static_assert([] {
    for (int index = 0; index < int(buttonTable.size()); ++index) {
        if (buttonTable[index].button != index)
            return false;
    }
    for (int index = 0; index < int(dialogTable.size()); ++index) {
        if (dialogTable[index].type != index)
            return false;
    }
    return true;
}());

std::optional<TMsgDlgBtn> firstOf(TMsgDlgButtons buttons, std::initializer_list<TMsgDlgBtn> preference)
{
    for (TMsgDlgBtn button : preference) {
        if (buttons.contains(button))
            return button;
    }
    return std::nullopt;
}

} // namespace

const ButtonKind &buttonKind(TMsgDlgBtn button)
{
    return buttonTable.at(button);
}

const DialogKind &dialogKind(TMsgDlgType type)
{
    return dialogTable.at(type);
}

std::optional<TMsgDlgBtn> defaultButtonOf(TMsgDlgButtons buttons)
{
    return firstOf(buttons, {mbOK, mbYes, mbRetry});
}

std::optional<TMsgDlgBtn> cancelButtonOf(TMsgDlgButtons buttons)
{
    return firstOf(buttons, {mbCancel, mbNo, mbOK});
}

} // namespace MessDlgs
