#include "platform/WindowTimers.h"

void WindowTimers::Set(int id, int milliseconds)
{
    m_timers[id].start(milliseconds, m_pOwner);
    m_intervals[id] = milliseconds;
}

void WindowTimers::Kill(int id)
{
    auto it = m_timers.find(id);
    if (it != m_timers.end())
        it->second.stop();
}

bool WindowTimers::IsActive(int id) const
{
    auto it = m_timers.find(id);
    return it != m_timers.end() && it->second.isActive();
}

int WindowTimers::Interval(int id) const
{
    auto it = m_intervals.find(id);
    return IsActive(id) && it != m_intervals.end() ? it->second : 0;
}

std::optional<int> WindowTimers::IdOf(int qtTimerId) const
{
    for (const auto &[id, timer] : m_timers) {
        if (timer.isActive() && timer.timerId() == qtTimerId)
            return id;
    }
    return std::nullopt;
}
