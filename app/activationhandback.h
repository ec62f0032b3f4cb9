#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

// Hands the activation back to the window a modal window covered, when the modal window closes, as
// Windows does for an owned window. Window managers on X11 usually do it themselves, but not all of them
// and not always (openbox, when busy, activated no window), and without it the keys the user types next
// reach no field. Installed on the application, it watches every modal window, the toolkit's own
// dialogs among them.
class ActivationHandBack : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, QPointer<QWidget>> m_covered;
    QPointer<QWidget> m_handedBackTo;
};
