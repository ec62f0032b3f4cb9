#include "common/failure.h"

#include "common/exception.h"

#include <QtGlobal>

namespace {

failure::Reporter &currentReporter()
{
    static failure::Reporter reporter;
    return reporter;
}

QString messageOf(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const Exception *>(&error))
        return own->message();
    return QString::fromLocal8Bit(error.what());
}

} // namespace

namespace failure {

Reporter setReporter(Reporter reporter)
{
    return std::exchange(currentReporter(), std::move(reporter));
}

void report(const std::exception &error)
{
    const QString message = messageOf(error);
    if (currentReporter())
        currentReporter()(message);
    else
        qWarning("%s", qPrintable(message));
}

} // namespace failure
