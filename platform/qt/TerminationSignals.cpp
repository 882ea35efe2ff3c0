#include "platform/qt/TerminationSignals.h"

#include "platform/PlatformError.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tovrin {

namespace {

// Where the handler writes: the pipe of the one TerminationSignals.
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void onTerminationSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // A full pipe already holds a request, which is all the loop needs.
    [[maybe_unused]] const ssize_t ignored = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals() {
    if (writeEnd != -1)
        throw PlatformError("The program listens for requests to end only once.");
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        throw PlatformError(std::string("The program could not listen for requests to end: ") + std::strerror(errno));
    writeEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Handled.size(); ++i) {
        sigaction(Handled[i], nullptr, &previous_[i]);
        if (previous_[i].sa_handler != SIG_IGN)
            sigaction(Handled[i], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t i = 0; i < Handled.size(); ++i)
        sigaction(Handled[i], &previous_[i], nullptr);
    writeEnd = -1;
    delete notifier_;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationSignals::readPending() {
    char bytes[64];
    bool arrived = false;
    while (::read(pipe_[0], bytes, sizeof bytes) > 0)
        arrived = true;
    const auto now = std::chrono::steady_clock::now();
    if (!arrived || now - lastRequest_ < SameEvent)
        return;
    lastRequest_ = now;
    emit received();
}

} // namespace tovrin
