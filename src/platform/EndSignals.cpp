#include "platform/EndSignals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace {
constexpr std::array<int, 3> kEndSignals{SIGTERM, SIGHUP, SIGINT};
int g_sockets[2] = {-1, -1};
struct sigaction g_oldActions[kEndSignals.size()];

void OnEndSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: a burst of signals that fills the socket loses only
    // repeats, and the handler never waits.
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &byte, 1);
    errno = savedErrno;
}
}

EndSignals::EndSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_sockets) != 0)
        return;
    m_pNotifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &EndSignals::OnReadable);
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i)
        sigaction(kEndSignals[i], &action, &g_oldActions[i]);
}

EndSignals::~EndSignals()
{
    if (m_pNotifier == nullptr)
        return;
    for (std::size_t i = 0; i < kEndSignals.size(); ++i)
        sigaction(kEndSignals[i], &g_oldActions[i], nullptr);
    delete m_pNotifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void EndSignals::OnReadable()
{
    unsigned char byte = 0;
    while (::read(g_sockets[1], &byte, 1) == 1)
        emit EndRequested(byte);
}
