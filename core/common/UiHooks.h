#pragma once
// The few points where a long computation of the core meets the user
// interface: letting pending window events run, and the busy cursor. The
// core has no GUI; the desktop program installs the hooks, the command line
// and the tests leave them empty.

#include <functional>

namespace vastrel {

void SetProcessEventsHook(std::function<void()> hook);
void SetBusyCursorHooks(std::function<void()> begin, std::function<void()> end);

// Lets pending window events run (no-op without a hook, and on any thread
// other than the one that installed the hook).
void ProcessPendingEvents();

// Shows the busy cursor for the lifetime of the object, also when an error
// leaves the scope.
class ScopedBusyCursor {
public:
    ScopedBusyCursor();
    ~ScopedBusyCursor();
    ScopedBusyCursor(const ScopedBusyCursor&) = delete;
    ScopedBusyCursor& operator=(const ScopedBusyCursor&) = delete;
};

} // namespace vastrel
