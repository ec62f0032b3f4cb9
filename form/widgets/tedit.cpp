#include "form/widgets/tedit.h"

#include "common/beep.h"
#include "common/windows1250.h"
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

// What a paste or drop brings, on one line and in the code page's spelling, so that the validator takes
// it without rewriting it.
QString takenText(const QString &text)
{
    int unusedPosition = 0;
    const QString joined = lineBreaksAsSpaces(text, unusedPosition);
    return windows1250::encodableSpelling(joined).value_or(joined);
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
    if (event->matches(QKeySequence::Paste) && !isReadOnly() && pastedAsTaken(QClipboard::Clipboard)) {
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
            if (!pastedAsTaken(QClipboard::Clipboard))
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
        if (pastedAsTaken(QClipboard::Selection))
            return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TEdit::dropEvent(QDropEvent *event)
{
    const QString taken = takenText(event->mimeData()->text());
    if (taken == event->mimeData()->text())
        return QLineEdit::dropEvent(event);
    // The line edit's own drop takes the text as the field takes it: where it lands and what it selects
    // stay Qt's.
    QMimeData takenData;
    takenData.setText(taken);
    QDropEvent takenDrop(event->position(), event->possibleActions(), &takenData, event->buttons(), event->modifiers());
    takenDrop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&takenDrop);
    event->setDropAction(takenDrop.dropAction());
    event->setAccepted(takenDrop.isAccepted());
}

bool TEdit::pastedAsTaken(QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    const QString taken = takenText(text);
    if (taken == text)
        return false;
    insert(taken);
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
