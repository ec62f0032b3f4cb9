#pragma once

#include <Qt>

// Which editing command a key stands for in a masked field. Keys that map to no command (Tab,
// Enter, function keys, Alt combinations) stay with the window.
enum class MaskEditCommand {
    None,
    CursorBackward,
    CursorForward,
    WordBackward,
    WordForward,
    Home,
    End,
    Backspace,
    Delete,
    ToggleEditMode,
    SelectAll,
    Copy,
    Cut,
    Paste,
    Undo,
    Deselect,
};

struct MaskEditKey
{
    MaskEditCommand command = MaskEditCommand::None;
    // Shift with a movement key moves only the caret end of the selection.
    bool extendSelection = false;
};

MaskEditKey maskEditKey(int key, Qt::KeyboardModifiers modifiers);
