#include "common/UiHooks.h"

#include <utility>

namespace vastrel {

namespace {
std::function<void()>& ProcessHook()
{
    static std::function<void()> hook;
    return hook;
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

void SetProcessEventsHook(std::function<void()> hook) { ProcessHook() = std::move(hook); }

void SetBusyCursorHooks(std::function<void()> begin, std::function<void()> end)
{
    BusyBegin() = std::move(begin);
    BusyEnd() = std::move(end);
}

void ProcessPendingEvents()
{
    if (ProcessHook())
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
