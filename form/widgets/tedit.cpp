#include "form/widgets/tedit.h"

#include "common/beep.h"
#include "common/windows1250validator.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <limits>

namespace {

// Every change of the text passes the validator, whatever brought it: typing, the clipboard, a drop
// or setText. Joining the lines there catches them all.
class OneLineValidator : public windows1250::Validator
{
public:
    using Validator::Validator;

    State validate(QString &input, int &position) const override
    {
        input = lineBreaksAsSpaces(input, position);
        return Validator::validate(input, position);
    }
};

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(new OneLineValidator(this));
    connect(this, &QLineEdit::inputRejected, this, [] { beep::sound(); });
}

void TEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly() && pastedJoined(QClipboard::Clipboard)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    // The paste command is the one that the standard menu connects to paste(), by name.
    for (QAction *command : menu->actions()) {
        if (!disconnect(command, SIGNAL(triggered()), this, SLOT(paste())))
            continue;
        connect(command, &QAction::triggered, this, [this] {
            if (!pastedJoined(QClipboard::Clipboard))
                paste();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// The middle button pastes the selection of the window system where it has one (X11).
void TEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        if (pastedJoined(QClipboard::Selection))
            return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TEdit::dropEvent(QDropEvent *event)
{
    if (!holdsLineBreak(event->mimeData()->text()))
        return QLineEdit::dropEvent(event);
    // The line edit's own drop takes the joined text: where it lands and what it selects stay Qt's.
    int unusedPosition = 0;
    QMimeData joined;
    joined.setText(lineBreaksAsSpaces(event->mimeData()->text(), unusedPosition));
    QDropEvent joinedDrop(event->position(), event->possibleActions(), &joined, event->buttons(), event->modifiers());
    joinedDrop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&joinedDrop);
    event->setDropAction(joinedDrop.dropAction());
    event->setAccepted(joinedDrop.isAccepted());
}

bool TEdit::pastedJoined(QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!holdsLineBreak(text))
        return false;
    int unusedPosition = 0;
    insert(lineBreaksAsSpaces(text, unusedPosition));
    return true;
}

QString lineBreaksAsSpaces(const QString &text, int &position)
{
    QString joined;
    joined.reserve(text.size());
    const qsizetype original = position;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar character = text.at(at);
        if (character == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n') {
            if (at + 1 < original)
                --position;
            ++at;
        }
        joined.append(character == u'\r' || character == u'\n' ? QChar(u' ') : character);
    }
    return joined;
}
