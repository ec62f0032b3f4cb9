#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure that carries the text the user sees. Handlers let it escape; the application shows it in
// the default error box and carries on.
class Exception : public std::exception
{
public:
    explicit Exception(const QString &message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that does not convert to the number or date it should hold.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};
