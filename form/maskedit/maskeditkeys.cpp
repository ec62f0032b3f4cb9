#include "form/maskedit/maskeditkeys.h"

namespace {

MaskEditKey movement(MaskEditCommand command, MaskEditCommand wordCommand, bool shift, bool control)
{
    return {control ? wordCommand : command, shift};
}

MaskEditKey withControl(int key)
{
    switch (key) {
    case Qt::Key_A:
        return {MaskEditCommand::SelectAll};
    case Qt::Key_C:
        return {MaskEditCommand::Copy};
    case Qt::Key_V:
        return {MaskEditCommand::Paste};
    case Qt::Key_X:
        return {MaskEditCommand::Cut};
    case Qt::Key_Z:
        return {MaskEditCommand::Undo};
    default:
        return {};
    }
}

} // namespace

MaskEditKey maskEditKey(int key, Qt::KeyboardModifiers modifiers)
{
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return {};
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;

    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return movement(MaskEditCommand::CursorBackward, MaskEditCommand::WordBackward, shift, control);
    case Qt::Key_Right:
    case Qt::Key_Down:
        return movement(MaskEditCommand::CursorForward, MaskEditCommand::WordForward, shift, control);
    case Qt::Key_Home:
        return {MaskEditCommand::Home, shift};
    case Qt::Key_End:
        return {MaskEditCommand::End, shift};
    case Qt::Key_Backspace:
        return {MaskEditCommand::Backspace};
    case Qt::Key_Delete:
        return {MaskEditCommand::Delete};
    case Qt::Key_Insert:
        if (shift)
            return {MaskEditCommand::Paste};
        return {control ? MaskEditCommand::Copy : MaskEditCommand::ToggleEditMode};
    case Qt::Key_Escape:
        return {MaskEditCommand::Deselect};
    default:
        return control ? withControl(key) : MaskEditKey{};
    }
}
