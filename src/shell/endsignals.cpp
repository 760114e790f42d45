#include "shell/endsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int END_SIGNALS[] = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};

// The signal handler: async-signal-safe calls only.
void onEndSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void setHandlers(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : END_SIGNALS)
        ::sigaction(number, &action, nullptr);
}

} // namespace

TEndSignals::TEndSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default: the program ends as before
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TEndSignals::readPipe);
    setHandlers(onEndSignal);
}

TEndSignals::~TEndSignals() {
    if (notifier_ == nullptr)
        return;
    setHandlers(SIG_DFL);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TEndSignals::readPipe() {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1)
        emit endRequested(byte);
}
