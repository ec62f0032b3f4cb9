#pragma once

#include <QApplication>

// The application object. Handlers run under failure::guard where events enter them; as a last line,
// anything that still escapes an event is reported the same way instead of ending the program.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
