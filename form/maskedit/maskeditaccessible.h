#pragma once

#include <QString>

class MaskEditModel;
class QObject;

// Screen readers read a masked field as an editable text: the text as shown, blanks and literals
// included, with its caret and selection, which they may also set.
void installMaskEditAccessibility();

// The part of the text an edit replaced: from position, removed gave way to inserted.
struct TextChange
{
    qsizetype position = 0;
    QString removed;
    QString inserted;
};

TextChange textChange(const QString &before, const QString &after);

// Tells screen readers what a change of the field's model did to its text, caret and selection.
void announceMaskEditChange(QObject *field, const MaskEditModel &before, const MaskEditModel &after);
