#pragma once

#include "dialogs/dialogs.h"

#include <QDialog>

class QPushButton;

namespace MessDlgs {

// The window of both dialogs. Buttons close it with their result; Escape presses the cancel button,
// and the close box or Alt+F4 close it with mrCancel.
class TMessageForm : public QDialog
{
    Q_OBJECT

public:
    // Takes the frame, the fonts and the style from the settings as they are now.
    TMessageForm(const Settings &settings, const QFont &dialogFont, const QString &title);

    // Where the controls go: the styled panel when there is one, otherwise the window itself.
    QWidget *clientArea() const { return m_clientArea; }

    void setClientSize(QSize size);

    // A button on the client area that closes the dialog with the result.
    QPushButton *addButton(const QString &objectName, const QString &caption, int result, const QRect &geometry);
    // A button that asks for the help topic of the dialog's help context instead of closing.
    QPushButton *addHelpButton(const QString &objectName, const QString &caption, const QRect &geometry);

    void setCancelButton(QPushButton *button) { m_cancelButton = button; }
    void setHelpContext(int helpContext) { m_helpContext = helpContext; }

    // Centres the window on the screen, then applies the requested left and top where they are 0 or more.
    void placeOnScreen(const QRect &screen, int left, int top);

    void reject() override;

signals:
    void helpRequested(int helpContext);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPushButton *createButton(const QString &objectName, const QString &caption, const QRect &geometry);
    bool hasRoundedCorners() const;

    Settings m_settings;
    QWidget *m_clientArea = nullptr;
    QPushButton *m_cancelButton = nullptr;
    int m_helpContext = 0;
};

} // namespace MessDlgs
