#pragma once
// The command guard: runs one user command and shows any error raised inside
// it as a message box, so that the program keeps running. This is the
// program's equivalent of the toolkit's default error handler; no exception
// crosses the Qt event loop.
#include <functional>

// Returns true when the command ran to its end without an error.
bool RunGuarded(const std::function<void()> &command);
