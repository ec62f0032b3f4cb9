#include "print/preview/printerlogin.h"

#include "print/preview/libcups.h"
#include "print/preview/okcancelbuttons.h"
#include "print/preview/printsystemthread.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <optional>

namespace {

// "/printers/name" or "/classes/name" for a queue; the scheduler's own resources name no printer.
QString queueOf(const char *resource)
{
    const QString path = QString::fromUtf8(resource ? resource : "");
    for (const QLatin1StringView prefix : {QLatin1StringView("/printers/"), QLatin1StringView("/classes/")}) {
        if (path.startsWith(prefix))
            return path.mid(prefix.size()).section(u'?', 0, 0);
    }
    return {};
}

// A scheduler reached through its local socket is this computer's own.
QString serverOf(const Libcups &cups, http_t *http)
{
    char host[256] = {};
    if (!http || !cups.httpGetHostname(http, host, int(sizeof host)))
        return {};
    const QString name = QString::fromUtf8(host);
    return name.startsWith(u'/') || name == QLatin1String("localhost") ? QString() : name;
}

} // namespace

PrinterLoginDialog::PrinterLoginDialog(const QString &printerName, const QString &server, const QString &userName,
                                       QWidget *parent)
    : QDialog(parent)
    , m_userName(new QLineEdit(userName, this))
    , m_password(new QLineEdit(this))
{
    setObjectName(QStringLiteral("PrinterLoginDialog"));
    setWindowTitle(QStringLiteral("Bejelentkezés a nyomtatóhoz"));
    setModal(true);

    const QString printer = printerName.isEmpty() ? QStringLiteral("a") : QStringLiteral("a(z) %1").arg(printerName);
    QString message = QStringLiteral("%1 nyomtató használatához be kell jelentkezni").arg(printer);
    if (!server.isEmpty())
        message += QStringLiteral(" a(z) %1 kiszolgálón").arg(server);
    message[0] = message[0].toUpper();
    auto *text = new QLabel(message + u'.', this);
    text->setObjectName(QStringLiteral("MessageL"));
    text->setWordWrap(true);
    // On one line, unless a long printer or server name makes it wrap.
    const QFontMetrics metrics = text->fontMetrics();
    text->setMinimumWidth(qMin(metrics.horizontalAdvance(text->text()), metrics.averageCharWidth() * 60));

    m_userName->setObjectName(QStringLiteral("UserNameE"));
    m_password->setObjectName(QStringLiteral("PasswordE"));
    m_password->setEchoMode(QLineEdit::Password);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Felhasználónév:"), m_userName);
    fields->addRow(QStringLiteral("&Jelszó:"), m_password);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(fields);
    layout->addWidget(createOkCancelButtons(this));
    (userName.isEmpty() ? m_userName : m_password)->setFocus();
}

QString PrinterLoginDialog::userName() const
{
    return m_userName->text();
}

QString PrinterLoginDialog::password() const
{
    return m_password->text();
}

const char *askForPrinterLogin(const char * /*prompt*/, http_t *http, const char * /*method*/, const char *resource,
                               void * /*userData*/)
{
    // CUPS keeps the password only until it has sent it; the next question overwrites it.
    static QByteArray password;
    password.fill('\0');
    password.clear();

    const Libcups *cups = libcups();
    if (!cups || !qApp)
        return nullptr;
    const QString printer = queueOf(resource);
    const QString server = serverOf(*cups, http);
    const QString user = QString::fromUtf8(cups->cupsUser());
    struct Login
    {
        QString userName;
        QString password;
    };
    std::optional<Login> login;
    const auto ask = [&] {
        PrinterLoginDialog dialog(printer, server, user, QApplication::activeWindow());
        // The question comes while the program waits for the print system, under the busy cursor.
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        if (dialog.exec() == QDialog::Accepted)
            login = Login{dialog.userName(), dialog.password()};
        QGuiApplication::restoreOverrideCursor();
    };
    // The question comes on the print system's thread; the dialog belongs to the windows' thread.
    askTheWindows(ask);
    if (!login)
        return nullptr;
    cups->cupsSetUser(login->userName.toUtf8().constData());
    password = login->password.toUtf8();
    return password.constData();
}
