#pragma once

#include <QClipboard>
#include <QLineEdit>

// A single-line free-text field without a length limit. It refuses, with the beep, characters that
// Windows-1250 cannot hold, so nothing typed turns into "?" when it is saved or printed; a letter spelled
// with a combining accent or as a ligature comes in as the code page's own letters. A line break that
// reaches it (pasted, dropped or set) becomes a space: the saved filling keeps one line per field.
class TEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);

protected:
    // A paste or drop of several lines is joined and spelled here, before it reaches the text, so that
    // it can be undone: a text that the validator rewrites takes the undo history with it. Qt's line
    // edit takes a text that needs neither itself, as an undo step of its own; a paste made here
    // shares its step with the typing just before it.
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Inserts the clipboard's text of that mode as the field takes it, when that differs from the
    // clipboard's; tells whether it did.
    bool pastedAsTaken(QClipboard::Mode mode);
};

// The text on one line: every line break, a CR LF pair or a CR or LF alone, becomes one space. The
// position, a place in the text, stays between the same characters.
QString lineBreaksAsSpaces(const QString &text, int &position);
