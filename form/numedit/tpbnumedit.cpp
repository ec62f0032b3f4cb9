#include "form/numedit/tpbnumedit.h"

#include "common/beep.h"
#include "common/failure.h"
#include "common/focusreason.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QPointer>

#include <limits>

namespace {

bool isWindowKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter
        || key == Qt::Key_Escape;
}

void beepTimes(int count)
{
    for (int i = 0; i < count; ++i)
        beep::sound();
}

} // namespace

TPBNumEdit::TPBNumEdit(QWidget *parent)
    : QLineEdit(parent), m_model(Regional::settings())
{
    // A text restored from outside is kept whole, however long.
    setMaxLength(std::numeric_limits<int>::max());
    QLineEdit::setText(m_model.text());
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAcceptDrops(false);
    resize(100, sizeHint().height());
    showDisabledOnButtonFace();
    connect(&Regional::instance(), &Regional::changed, this,
            [this] { m_model.setRegional(Regional::settings()); });
}

template<typename Edit>
void TPBNumEdit::edit(Edit &&apply)
{
    loadModel();
    std::forward<Edit>(apply)();
    showModel();
}

void TPBNumEdit::loadModel()
{
    m_model.setText(QLineEdit::text());
    m_model.setSelection(shownSelectionStart(), int(selectionLength()));
    m_model.setReadOnly(isReadOnly());
}

void TPBNumEdit::showModel()
{
    if (QLineEdit::text() != m_model.text())
        QLineEdit::setText(m_model.text());
    if (shownSelectionStart() == m_model.selectionStart() && selectionLength() == m_model.selectionLength())
        return;
    if (m_model.selectionLength() > 0)
        setSelection(m_model.selectionStart(), m_model.selectionLength());
    else
        setCursorPosition(m_model.selectionStart());
}

int TPBNumEdit::shownSelectionStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TPBNumEdit::setText(const QString &text)
{
    edit([&] { m_model.setText(text); });
}

DecimalNumber TPBNumEdit::value() const
{
    return readNumber(QLineEdit::text(), m_model.regional());
}

void TPBNumEdit::setValue(long double value)
{
    edit([&] { m_model.setValue(value); });
}

void TPBNumEdit::setDecimals(int decimals)
{
    edit([&] { m_model.setDecimals(decimals); });
}

void TPBNumEdit::setNumberFormat(NumberFormat format)
{
    edit([&] { m_model.setNumberFormat(format); });
}

void TPBNumEdit::focusInEvent(QFocusEvent *event)
{
    // The line edit selects everything on keyboard focus by itself; whether to is the model's decision.
    const int start = shownSelectionStart();
    const int length = int(selectionLength());
    QLineEdit::focusInEvent(event);
    // Coming back to the field the user is in keeps the caret. A field that was never entered, or was
    // finished meanwhile, is entered even so: a box that opens while the focus moves here (the error of
    // the field just left) hands the focus over only as it closes.
    if (focusStaysInField(event->reason()) && m_model.isEntered())
        return;
    const bool byLeftMousePress = event->reason() == Qt::MouseFocusReason
        && QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    edit([&] {
        m_model.setSelection(start, length);
        m_model.enter(byLeftMousePress);
    });
}

void TPBNumEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (focusStaysInField(event->reason()))
        return;
    failure::guard([this] { finishEditing(); });
}

bool TPBNumEdit::finishEditing()
{
    loadModel();
    const std::optional<long double> violatedBound = m_model.leave();
    showModel();
    if (violatedBound) {
        handleInvalidEntry(*violatedBound);
        return false;
    }
    if (m_exitHandler)
        m_exitHandler();
    return true;
}

void TPBNumEdit::handleInvalidEntry(long double violatedBound)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&TPBNumEdit::invalidEntry))) {
        Q_EMIT invalidEntry();
        return;
    }
    edit([&] { m_model.setValue(violatedBound); });
    beep::sound();
    // Taking the focus back while it is still moving away would fight the move; wait for it to settle.
    QMetaObject::invokeMethod(this, [this] { setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
}

void TPBNumEdit::keyPressEvent(QKeyEvent *event)
{
    m_model.keyWentDown();
    if (event->matches(QKeySequence::Copy))
        return copyToClipboard();
    if (event->matches(QKeySequence::Cut))
        return cutToClipboard();
    if (event->matches(QKeySequence::Paste))
        return pasteFromClipboard();
    switch (event->key()) {
    case Qt::Key_Backspace:
        return edit([this] { m_model.pressBackspace(); });
    case Qt::Key_Delete:
        return edit([this] { m_model.pressDelete(); });
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return QLineEdit::keyPressEvent(event);
    case Qt::Key_Up:
    case Qt::Key_Down:
        return; // the field wants the arrows, though a single line has nowhere to go
    default:
        break;
    }
    if (event->matches(QKeySequence::SelectAll))
        return selectAll();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (command || isWindowKey(event->key()) || event->text().isEmpty())
        return event->ignore();
    typeText(event->text());
}

void TPBNumEdit::inputMethodEvent(QInputMethodEvent *event)
{
    typeText(event->commitString());
    event->accept();
}

void TPBNumEdit::typeText(QStringView text)
{
    int refused = 0;
    edit([&] {
        for (QChar character : text) {
            if (!m_model.typeCharacter(character))
                ++refused;
        }
    });
    beepTimes(refused);
}

void TPBNumEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        edit([this] { m_model.leftMousePressed(); });
}

void TPBNumEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // The middle button would paste the selection past the filter.
    if (event->button() == Qt::MiddleButton)
        return event->accept();
    QLineEdit::mouseReleaseEvent(event);
}

void TPBNumEdit::copyToClipboard()
{
    loadModel();
    QGuiApplication::clipboard()->setText(m_model.copy());
}

void TPBNumEdit::cutToClipboard()
{
    QString copied;
    edit([&] { copied = m_model.cut(); });
    QGuiApplication::clipboard()->setText(copied);
}

void TPBNumEdit::pasteFromClipboard()
{
    const QString clipboard = QGuiApplication::clipboard()->text();
    int refused = 0;
    edit([&] { refused = m_model.paste(clipboard); });
    beepTimes(refused);
}

void TPBNumEdit::contextMenuEvent(QContextMenuEvent *event)
{
    const bool editable = !isReadOnly();
    QPointer<QMenu> menu = new QMenu(this);
    menu->addAction(tr("Kivágás"), this, &TPBNumEdit::cutToClipboard)->setEnabled(editable && hasSelectedText());
    menu->addAction(tr("Másolás"), this, &TPBNumEdit::copyToClipboard)->setEnabled(hasSelectedText());
    menu->addAction(tr("Beillesztés"), this, &TPBNumEdit::pasteFromClipboard)
        ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu->addSeparator();
    menu->addAction(tr("Az összes kijelölése"), this, &QLineEdit::selectAll)->setEnabled(!text().isEmpty());
    menu->exec(event->globalPos());
    delete menu;
}

void TPBNumEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        showDisabledOnButtonFace();
}

// A disabled field is painted on the button face, like the platform's disabled edit.
void TPBNumEdit::showDisabledOnButtonFace()
{
    const QColor buttonFace = palette().color(QPalette::Active, QPalette::Button);
    if (palette().color(QPalette::Disabled, QPalette::Base) == buttonFace)
        return;
    QPalette disabledOnButtonFace = palette();
    disabledOnButtonFace.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    setPalette(disabledOnButtonFace);
}
