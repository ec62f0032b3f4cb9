#pragma once

#include <QString>
#include <exception>
#include <functional>

// The one place where a failure that escaped a handler is shown to the user. The application installs
// the default error box as the reporter; until then (and in plain tests) failures go to the log.
//
// Event entry points (widget event overrides, signal connections to handlers) run the handler through
// guard(), so that no exception ever unwinds through Qt's own frames; handlers themselves do not catch.
namespace failure {

using Reporter = std::function<void(const QString &message)>;

// Replaces the reporter; returns the previous one.
Reporter setReporter(Reporter reporter);

// Shows the message of the exception through the reporter.
void report(const std::exception &error);

// Runs the handler; a failure it raises is reported and ends it, and the program goes on.
template<typename Handler>
void guard(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        report(error);
    }
}

} // namespace failure
