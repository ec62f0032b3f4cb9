#pragma once

#include <QDialog>

#include <cups/cups.h>

class QLineEdit;

// Asks for the user name and password that a printer or its print server wants before it takes a job.
class PrinterLoginDialog : public QDialog
{
    Q_OBJECT

public:
    // server: the print server's host name, or empty for this computer's own.
    PrinterLoginDialog(const QString &printerName, const QString &server, const QString &userName,
                       QWidget *parent = nullptr);

    QString userName() const;
    QString password() const;

private:
    QLineEdit *m_userName;
    QLineEdit *m_password;
};

// The print system's question for a password, answered through PrinterLoginDialog: CUPS's own asks on
// the terminal the program was started from, where nobody looks, and the windows hang meanwhile.
// Returns nullptr, and so refuses, when the dialog is cancelled or cannot be shown.
const char *askForPrinterLogin(const char *prompt, http_t *http, const char *method, const char *resource,
                               void *userData);
