#pragma once

#include <QString>

// What a check says about one value.
enum class Verdict {
    Empty,      // nothing typed
    Incomplete, // some digit positions still blank
    Valid,      // complete, and every rule holds
    Invalid,    // complete, but a rule fails; the reason says which, in Hungarian
};

struct CheckResult
{
    Verdict verdict = Verdict::Empty;
    QString reason;

    static CheckResult empty() { return {Verdict::Empty, {}}; }
    static CheckResult incomplete() { return {Verdict::Incomplete, {}}; }
    static CheckResult valid() { return {Verdict::Valid, {}}; }
    static CheckResult invalid(const QString &reason) { return {Verdict::Invalid, reason}; }
};
