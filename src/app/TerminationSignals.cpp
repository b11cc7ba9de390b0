#include "app/TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// The signal handler may only write to a descriptor; the notifier reads it on the main thread.
int pipeEnds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (int signalNumber : kSignals)
        ::signal(signalNumber, SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::handle(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
}

void TerminationSignals::readPipe() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(pipeEnds[1], &byte, 1);
    emit terminationRequested();
}
