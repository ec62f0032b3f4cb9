#include "form/maskedit/tlmdmaskedit.h"

#include "common/failure.h"
#include "form/maskedit/maskeditaccessible.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

namespace {

// The room between the frame and the text, as in a plain line edit.
constexpr int horizontalMargin = 2;
constexpr int verticalMargin = 1;

// Characters that reach the field as typing; control characters and shortcut combinations do not.
bool isTypedText(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = event.text();
    return !typed.isEmpty() && std::all_of(typed.cbegin(), typed.cend(), [](QChar c) { return c.isPrint(); });
}

} // namespace

TLMDMaskEdit::TLMDMaskEdit(QWidget *parent)
    : QWidget(parent)
{
    installMaskEditAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression);
    setCursor(Qt::IBeamCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setBackgroundRole(QPalette::Base);
    m_caretTimer.setInterval(caretBlinkMilliseconds);
    connect(&m_caretTimer, &QTimer::timeout, this, &TLMDMaskEdit::blinkCaret);
}

template<typename Change>
void TLMDMaskEdit::change(Change &&apply)
{
    const MaskEditModel before = m_model;
    std::forward<Change>(apply)();
    restartCaretBlink();
    update();
    announceMaskEditChange(this, before, m_model);
    if (m_model.text() != before.text())
        emit textChanged(m_model.text());
}

void TLMDMaskEdit::setMask(const QString &pattern)
{
    change([&] { m_model.setMask(pattern); });
    updateGeometry();
}

void TLMDMaskEdit::setReadOnly(bool readOnly)
{
    m_model.setReadOnly(readOnly);
    update();
}

void TLMDMaskEdit::setText(const QString &text)
{
    change([&] { m_model.setText(text); });
}

void TLMDMaskEdit::resetToBlankTemplate()
{
    change([&] { m_model.resetToBlankTemplate(); });
}

void TLMDMaskEdit::setCursorPosition(qsizetype position)
{
    change([&] { m_model.moveCursor(position); });
}

void TLMDMaskEdit::setSelection(qsizetype start, qsizetype length)
{
    change([&] { m_model.setSelection(start, length); });
}

QRect TLMDMaskEdit::characterRect(qsizetype position) const
{
    QTextLayout layout;
    layOutText(layout);
    const QTextLine line = layout.lineAt(0);
    const QPointF origin = textOrigin(layout);
    const int at = int(qBound(qsizetype(0), position, m_model.text().size()));
    const qreal left = line.cursorToX(at);
    const qreal right = at < m_model.text().size() ? line.cursorToX(at + 1) : left;
    return QRectF(origin.x() + left, origin.y(), right - left, line.height()).toAlignedRect();
}

qsizetype TLMDMaskEdit::characterAt(QPoint point) const
{
    return positionAt(point, true);
}

QSize TLMDMaskEdit::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(font());
    const QString blankTemplate = m_model.blankTemplate();
    const int textWidth = blankTemplate.isEmpty() ? metrics.horizontalAdvance(u'x') * 17
                                                  : metrics.horizontalAdvance(blankTemplate);
    const int caretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
    const QSize contents(textWidth + caretWidth + 2 * horizontalMargin,
                         qMax(metrics.height(), 14) + 2 * verticalMargin);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &panel, contents, this);
}

QSize TLMDMaskEdit::minimumSizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(font());
    const QSize contents(metrics.maxWidth() + 2 * horizontalMargin, metrics.height() + 2 * verticalMargin);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()->sizeFromContents(QStyle::CT_LineEdit, &panel, contents, this);
}

bool TLMDMaskEdit::event(QEvent *event)
{
    // Keys the field uses are not taken by the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        if (wantsKey(*keyEvent))
            keyEvent->accept();
    }
    return QWidget::event(event);
}

void TLMDMaskEdit::keyPressEvent(QKeyEvent *event)
{
    failure::guard([&] { handleKey(event); });
}

void TLMDMaskEdit::handleKey(QKeyEvent *event)
{
    emit keyDown(event->key(), event->modifiers());
    if (!wantsKey(*event)) {
        event->ignore();
        return;
    }
    const MaskEditKey key = maskEditKey(event->key(), event->modifiers());
    if (key.command == MaskEditCommand::None)
        typeText(event->text());
    else
        change([&] { perform(key); });
}

bool TLMDMaskEdit::wantsKey(const QKeyEvent &event) const
{
    const MaskEditKey key = maskEditKey(event.key(), event.modifiers());
    if (key.command == MaskEditCommand::Deselect)
        return m_model.hasSelection();
    return key.command != MaskEditCommand::None || isTypedText(event);
}

void TLMDMaskEdit::perform(MaskEditKey key)
{
    switch (key.command) {
    case MaskEditCommand::None:
        break;
    case MaskEditCommand::CursorBackward:
        m_model.cursorBackward(key.extendSelection);
        break;
    case MaskEditCommand::CursorForward:
        m_model.cursorForward(key.extendSelection);
        break;
    case MaskEditCommand::WordBackward:
        m_model.wordBackward(key.extendSelection);
        break;
    case MaskEditCommand::WordForward:
        m_model.wordForward(key.extendSelection);
        break;
    case MaskEditCommand::Home:
        m_model.home(key.extendSelection);
        break;
    case MaskEditCommand::End:
        m_model.end(key.extendSelection);
        break;
    case MaskEditCommand::Backspace:
        m_model.backspace();
        break;
    case MaskEditCommand::Delete:
        m_model.deleteForward();
        break;
    case MaskEditCommand::ToggleEditMode:
        m_model.editMode().toggle();
        break;
    case MaskEditCommand::SelectAll:
        m_model.selectAll();
        break;
    case MaskEditCommand::Copy:
        copy();
        break;
    case MaskEditCommand::Cut:
        cut();
        break;
    case MaskEditCommand::Paste:
        m_model.paste(QGuiApplication::clipboard()->text());
        break;
    case MaskEditCommand::Undo:
        m_model.undo();
        break;
    case MaskEditCommand::Deselect:
        m_model.deselect();
        break;
    }
}

void TLMDMaskEdit::typeText(const QString &typed)
{
    for (const QChar character : typed) {
        emit keyPressed(character);
        change([&] { m_model.typeCharacter(character); });
    }
}

// Copying nothing leaves the clipboard as it was, so that a stray Ctrl+C or Ctrl+X does not
// throw away what the user put there.
void TLMDMaskEdit::copy()
{
    if (m_model.hasSelection())
        QGuiApplication::clipboard()->setText(m_model.selectedText());
}

void TLMDMaskEdit::cut()
{
    const QString removed = m_model.cut();
    if (!removed.isEmpty())
        QGuiApplication::clipboard()->setText(removed);
}

void TLMDMaskEdit::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    restartCaretBlink();
    update();
}

void TLMDMaskEdit::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    m_caretTimer.stop();
    m_caretShown = false;
    update();
}

void TLMDMaskEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const qsizetype position = positionAt(event->position().toPoint(), false);
    // No digit can be typed after the template's last character. A plain click that would put the
    // caret there, on that character's right half or right of the text, puts it where typing fills
    // the template instead; Shift with it still selects up to the end.
    if (!extend && position == m_model.text().size()) {
        change([&] { m_model.moveCursorBeyondText(); });
        return;
    }
    change([&] { m_model.moveCursor(position, extend); });
}

void TLMDMaskEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const qsizetype position = positionAt(event->position().toPoint(), false);
    change([&] { m_model.moveCursor(position, true); });
}

void TLMDMaskEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    const qsizetype position = positionAt(event->position().toPoint(), true);
    change([&] { m_model.selectWordAt(position); });
}

void TLMDMaskEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const auto addCommand = [&](const QString &caption, MaskEditCommand command, bool enabled) {
        QAction *action = menu.addAction(caption, this, [this, command] {
            failure::guard([&] { change([&] { perform({command}); }); });
        });
        action->setEnabled(enabled);
    };
    const bool editable = !m_model.isReadOnly();
    addCommand(tr("&Visszavonás"), MaskEditCommand::Undo, m_model.isUndoAvailable());
    menu.addSeparator();
    addCommand(tr("&Kivágás"), MaskEditCommand::Cut, editable && m_model.hasSelection());
    addCommand(tr("&Másolás"), MaskEditCommand::Copy, m_model.hasSelection());
    addCommand(tr("&Beillesztés"), MaskEditCommand::Paste,
               editable && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addSeparator();
    addCommand(tr("Az összes &kijelölése"), MaskEditCommand::SelectAll, !m_model.text().isEmpty());
    menu.exec(event->globalPos());
}

void TLMDMaskEdit::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);

    QTextLayout layout;
    layOutText(layout);
    keepCaretVisible(layout);
    const QPointF origin = textOrigin(layout);
    painter.setClipRect(textRect());
    painter.setPen(palette().color(QPalette::Text));

    QList<QTextLayout::FormatRange> selections;
    if (hasFocus() && m_model.hasSelection()) {
        QTextLayout::FormatRange selection;
        selection.start = int(m_model.selectionStart());
        selection.length = int(m_model.selectionLength());
        selection.format.setBackground(palette().brush(QPalette::Highlight));
        selection.format.setForeground(palette().brush(QPalette::HighlightedText));
        selections.append(selection);
    }
    layout.draw(&painter, origin, selections);

    if (hasFocus() && m_caretShown) {
        const int caretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
        layout.drawCursor(&painter, origin, int(m_model.cursorPosition()), caretWidth);
    }
}

void TLMDMaskEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

void TLMDMaskEdit::initStyleOption(QStyleOptionFrame *option) const
{
    option->initFrom(this);
    option->rect = rect();
    option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, option, this);
    option->midLineWidth = 0;
    option->state |= QStyle::State_Sunken;
    if (m_model.isReadOnly())
        option->state |= QStyle::State_ReadOnly;
    option->features = QStyleOptionFrame::None;
}

QRect TLMDMaskEdit::textRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.adjusted(horizontalMargin, verticalMargin, -horizontalMargin, -verticalMargin);
}

void TLMDMaskEdit::layOutText(QTextLayout &layout) const
{
    layout.setText(m_model.text());
    layout.setFont(font());
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

// Scrolls the text sideways only as far as needed to keep the caret in view.
void TLMDMaskEdit::keepCaretVisible(const QTextLayout &layout)
{
    const QTextLine line = layout.lineAt(0);
    const int visibleWidth = textRect().width();
    const int textWidth = qCeil(line.naturalTextWidth());
    const int caretX = qRound(line.cursorToX(int(m_model.cursorPosition())));
    if (textWidth <= visibleWidth)
        m_scrollX = 0;
    else if (caretX - m_scrollX >= visibleWidth)
        m_scrollX = caretX - visibleWidth + 1;
    else if (caretX < m_scrollX)
        m_scrollX = caretX;
    else if (textWidth - m_scrollX < visibleWidth)
        m_scrollX = textWidth - visibleWidth + 1;
}

QPointF TLMDMaskEdit::textOrigin(const QTextLayout &layout) const
{
    const QRect area = textRect();
    const qreal lineHeight = layout.lineAt(0).height();
    return QPointF(area.left() - m_scrollX, area.top() + (area.height() - lineHeight) / 2);
}

qsizetype TLMDMaskEdit::positionAt(QPoint point, bool onCharacter) const
{
    QTextLayout layout;
    layOutText(layout);
    const qreal x = point.x() - textOrigin(layout).x();
    const auto mode = onCharacter ? QTextLine::CursorOnCharacter : QTextLine::CursorBetweenCharacters;
    return layout.lineAt(0).xToCursor(x, mode);
}

void TLMDMaskEdit::restartCaretBlink()
{
    m_caretShown = true;
    if (hasFocus())
        m_caretTimer.start();
}

void TLMDMaskEdit::blinkCaret()
{
    m_caretShown = !m_caretShown;
    update();
}
