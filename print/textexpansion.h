#pragma once

#include <QString>

#include <functional>

// Gives the text that replaces one bracketed expression; may fail with an exception.
using ExpressionResolver = std::function<QString(const QString &expression)>;

// Replaces every "[expression]" of the text, brackets included, by its resolved text. The closing
// bracket is the one that matches, counting nested pairs; the expression is passed exactly as written.
// Scanning goes on after the inserted text, so answers are never expanded again. An opening bracket
// without its match stays as a plain character.
QString expandBrackets(const QString &text, const ExpressionResolver &resolve);
