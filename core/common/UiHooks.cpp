#include "common/UiHooks.h"

#include <thread>
#include <utility>

namespace vastrel {

namespace {
std::function<void()>& ProcessHook()
{
    static std::function<void()> hook;
    return hook;
}
// The thread that installed the hook: the window thread of the program.
std::thread::id& HookThread()
{
    static std::thread::id id;
    return id;
}
std::function<void()>& BusyBegin()
{
    static std::function<void()> hook;
    return hook;
}
std::function<void()>& BusyEnd()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void SetProcessEventsHook(std::function<void()> hook)
{
    ProcessHook() = std::move(hook);
    HookThread() = std::this_thread::get_id();
}

void SetBusyCursorHooks(std::function<void()> begin, std::function<void()> end)
{
    BusyBegin() = std::move(begin);
    BusyEnd() = std::move(end);
}

void ProcessPendingEvents()
{
    // A computation moved to a worker thread never runs the window's events.
    if (ProcessHook() && std::this_thread::get_id() == HookThread())
        ProcessHook()();
}

ScopedBusyCursor::ScopedBusyCursor()
{
    if (BusyBegin())
        BusyBegin()();
}

ScopedBusyCursor::~ScopedBusyCursor()
{
    if (BusyEnd())
        BusyEnd()();
}

} // namespace vastrel
