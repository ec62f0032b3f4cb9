#pragma once

#include <functional>

// The system's default beep, behind a seam so that tests can count beeps.
namespace beep {

void sound();

// Replaces the sound; an empty function restores the platform's beep. Returns the previous one.
std::function<void()> setHandler(std::function<void()> handler);

} // namespace beep
