#pragma once

#include "form/maskedit/maskeditkeys.h"
#include "form/maskedit/maskeditmodel.h"

#include <QTimer>
#include <QWidget>

class QStyleOptionFrame;
class QTextLayout;

// The masked entry field: a self-drawn edit box over a MaskEditModel. It turns key, mouse, focus and
// clipboard events into model calls and paints the text, selection and caret the model holds.
//
// Configure it empty, then MaxLength, BlankChar and Mask (which shows the blank template); the
// properties carry the names the form's catalogue uses.
class TLMDMaskEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Mask READ mask WRITE setMask)
    Q_PROPERTY(QChar BlankChar READ blankChar WRITE setBlankChar)
    Q_PROPERTY(int MaxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(QString Text READ text WRITE setText NOTIFY textChanged USER true)

public:
    static constexpr int caretBlinkMilliseconds = 530;

    explicit TLMDMaskEdit(QWidget *parent = nullptr);

    QString mask() const { return m_model.mask(); }
    void setMask(const QString &pattern);
    QChar blankChar() const { return m_model.blankChar(); }
    void setBlankChar(QChar blank) { m_model.setBlankChar(blank); }
    int maxLength() const { return m_model.maxLength(); }
    void setMaxLength(int length) { m_model.setMaxLength(length); }
    bool isReadOnly() const { return m_model.isReadOnly(); }
    void setReadOnly(bool readOnly);

    // The text exactly as shown, blanks and literals included.
    QString text() const { return m_model.text(); }
    void setText(const QString &text);
    // Shows the blank template with the caret at the start (unless it already shows it).
    void resetToBlankTemplate();

    const MaskEditModel &model() const { return m_model; }

    // The caret and the selection as screen readers set them.
    void setCursorPosition(qsizetype position);
    void setSelection(qsizetype start, qsizetype length);
    // Where the character at a position is drawn, and the position of the character at a point.
    QRect characterRect(qsizetype position) const;
    qsizetype characterAt(QPoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void textChanged(const QString &text);
    // Delivered for every key that goes down in the field, before the field handles it.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // Delivered for every typed character, whether or not the mask accepts it.
    void keyPressed(QChar character);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Runs a change of the model, then announces a new text and repaints with the caret shown.
    template<typename Change>
    void change(Change &&apply);

    void handleKey(QKeyEvent *event);
    bool wantsKey(const QKeyEvent &event) const;
    void perform(MaskEditKey key);
    void typeText(const QString &typed);
    void copy();
    void cut();

    void initStyleOption(QStyleOptionFrame *option) const;
    QRect textRect() const;
    void layOutText(QTextLayout &layout) const;
    void keepCaretVisible(const QTextLayout &layout);
    QPointF textOrigin(const QTextLayout &layout) const;
    qsizetype positionAt(QPoint point, bool onCharacter) const;
    void restartCaretBlink();
    void blinkCaret();

    MaskEditModel m_model;
    QTimer m_caretTimer;
    bool m_caretShown = false;
    int m_scrollX = 0;
};
