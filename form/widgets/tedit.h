#pragma once

#include <QLineEdit>

// A single-line free-text field without a length limit. It refuses, with the beep, characters that
// Windows-1250 cannot hold, so nothing typed turns into "?" when it is saved or printed. A line break
// that reaches it (pasted, dropped or set) becomes a space: the saved filling keeps one line per field.
class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);
};

// The text on one line: every line break, a CR LF pair or a CR or LF alone, becomes one space. The
// position, a place in the text, stays between the same characters.
QString lineBreaksAsSpaces(const QString &text, int &position);
