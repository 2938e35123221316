#pragma once

#include <QBasicTimer>

#include <map>
#include <optional>

class QObject;

// A window's timers keyed by the window's own ids (100, 200, 1), as the
// handheld keeps them. Setting an id that runs restarts it with the new period.
// The owner's timerEvent asks IdOf for the id and calls its tick, which tests
// call directly instead.
class WindowTimers
{
public:
    explicit WindowTimers(QObject *owner) : m_pOwner(owner) {}
    void Set(int id, int milliseconds);
    void Kill(int id);
    bool IsActive(int id) const;
    // The period the timer was last set to run at, 0 while it does not run.
    int Interval(int id) const;
    std::optional<int> IdOf(int qtTimerId) const;

private:
    QObject *m_pOwner;
    struct Timer {
        QBasicTimer timer;
        int nInterval = 0;
    };
    std::map<int, Timer> m_timers;
};
