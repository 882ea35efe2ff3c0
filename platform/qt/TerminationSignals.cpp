#include "platform/qt/TerminationSignals.h"

#include "platform/PlatformError.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tovrin {

namespace {

constexpr int Handled[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe the handler writes to; one program has one set of handlers.
int pipeEnds[2] = {-1, -1};

extern "C" void onTerminationSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // A full pipe already holds a request, which is all the loop needs.
    [[maybe_unused]] const ssize_t ignored = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals() {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw PlatformError(std::string("The program could not listen for requests to end: ") + std::strerror(errno));
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPending);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        sigaction(Handled[i], &action, &previous_[i]);
}

TerminationSignals::~TerminationSignals() {
    for (int i = 0; i < 3; ++i)
        sigaction(Handled[i], &previous_[i], nullptr);
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

// Each signal that arrived is one request.
void TerminationSignals::readPending() {
    char bytes[16];
    ssize_t count;
    while ((count = ::read(pipeEnds[0], bytes, sizeof bytes)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            emit received();
}

} // namespace tovrin
