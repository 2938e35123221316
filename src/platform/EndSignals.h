#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that end a process from outside (SIGTERM, SIGHUP, SIGINT:
// the system shutting down, the terminal or session going away, Ctrl+C),
// turned into a Qt signal on the user-interface thread. The handler itself
// only writes the signal's number into a socket, which is all a signal
// handler may safely do; the notifier reads it in the event loop. One at a
// time; the earlier handlers come back when it goes.
class EndSignals : public QObject
{
    Q_OBJECT

public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void EndRequested(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier *m_pNotifier = nullptr;
};
