#pragma once

#include "form/numedit/numeditmodel.h"

#include <QLineEdit>

#include <functional>

// The numeric entry field. The line edit shows the text, caret and selection; every change of the text
// is made by NumEditModel, which receives them before each edit and whose result is shown again. The
// line edit's own ways of changing the text (undo, input-method composition, drag and drop, selection
// paste, its context menu) are closed or routed through the model.
//
// Tab, Enter and Escape stay with the window; the field keeps arrows and typed characters.
class TPBNumEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TPBNumEdit(QWidget *parent = nullptr);

    // Takes the text verbatim, without any check; a different text puts the caret at the start.
    void setText(const QString &text);

    // The number behind the text, digit for digit; throws EConvertError when the text is not a number.
    DecimalNumber value() const;
    // Rewrites the text only when the formatted number differs from it.
    void setValue(long double value);

    // -1 (free fraction, the default) or 0 to 14; a change rewrites the text (throws like value()).
    int decimals() const { return m_model.decimals(); }
    void setDecimals(int decimals);
    // Setting it always rewrites the text (throws like value()).
    NumberFormat numberFormat() const { return m_model.numberFormat(); }
    void setNumberFormat(NumberFormat format);

    // While both are 0 there is no range check on leaving.
    long double minValue() const { return m_model.minValue(); }
    void setMinValue(long double minValue) { m_model.setMinValue(minValue); }
    long double maxValue() const { return m_model.maxValue(); }
    void setMaxValue(long double maxValue) { m_model.setMaxValue(maxValue); }

    bool autoSelect() const { return m_model.autoSelect(); }
    void setAutoSelect(bool autoSelect) { m_model.setAutoSelect(autoSelect); }

    // Runs after the field has been left and its text rewritten into display form. It may throw: on
    // leaving, the failure is reported; from finishEditing() it reaches the caller.
    void setExitHandler(std::function<void()> handler) { m_exitHandler = std::move(handler); }

    // Does what leaving the field does, without moving the focus: rewrites the text into display form,
    // then runs the range handling or the exit handler. Throws what they throw; false when the value lay
    // outside the range, so the exit handler did not run. The field counts as left: the focus coming
    // back to it enters it again.
    bool finishEditing();

Q_SIGNALS:
    // The value left outside the range; when connected, it replaces the built-in handling (the value
    // set to the violated bound, a beep, the focus back to the field), and the exit handler does not run.
    void invalidEntry();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Hands the shown text and selection to the model, applies the edit and shows the result.
    template<typename Edit>
    void edit(Edit &&apply);
    void loadModel();
    void showModel();
    int shownSelectionStart() const;

    void typeText(QStringView text);
    void copyToClipboard();
    void cutToClipboard();
    void pasteFromClipboard();
    void handleInvalidEntry(long double violatedBound);
    void showDisabledOnButtonFace();

    NumEditModel m_model;
    std::function<void()> m_exitHandler;
};
