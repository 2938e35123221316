#include "platform/WindowTimers.h"

void WindowTimers::Set(int id, int milliseconds)
{
    Timer &timer = m_timers[id];
    timer.timer.start(milliseconds, m_pOwner);
    timer.nInterval = milliseconds;
}

void WindowTimers::Kill(int id)
{
    auto it = m_timers.find(id);
    if (it != m_timers.end())
        it->second.timer.stop();
}

bool WindowTimers::IsActive(int id) const
{
    auto it = m_timers.find(id);
    return it != m_timers.end() && it->second.timer.isActive();
}

int WindowTimers::Interval(int id) const
{
    return IsActive(id) ? m_timers.at(id).nInterval : 0;
}

std::optional<int> WindowTimers::IdOf(int qtTimerId) const
{
    for (const auto &[id, timer] : m_timers) {
        if (timer.timer.isActive() && timer.timer.timerId() == qtTimerId)
            return id;
    }
    return std::nullopt;
}
