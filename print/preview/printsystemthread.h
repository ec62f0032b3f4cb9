#pragma once

#include <functional>
#include <optional>
#include <utility>

// Runs a task that asks the print system on a thread kept for that, and returns when it is done. A
// request can take seconds (a network printer's first use sets up its queue) or, to a print server that
// does not answer, up to the patience of PrintSystemWatch. The windows keep painting and answering the
// window manager meanwhile: a desktop offers to end a program whose windows do not answer for a few
// seconds, and ending it would lose the filling. They take no input while they wait. CUPS keeps its
// connection, its user and its question for a password per thread, so every request goes through this
// one thread. An exception of the task is thrown again here.
void waitForPrintSystem(const std::function<void()> &task);

// Has the windows' thread run question for the task that waitForPrintSystem runs, such as a dialog, and
// returns once it has; on the windows' thread itself, runs it at once.
void askTheWindows(const std::function<void()> &question);

template<typename Task>
auto askPrintSystem(Task &&task)
{
    std::optional<decltype(task())> result;
    waitForPrintSystem([&] { result.emplace(task()); });
    return std::move(*result);
}
