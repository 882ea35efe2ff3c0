#pragma once

#include <QObject>
#include <array>
#include <chrono>
#include <csignal>

class QSocketNotifier;

namespace tovrin {

// The signals that ask a program to end (kill, Ctrl+C or Ctrl+\ in the
// terminal, the terminal closed, and the others a desktop program may be
// sent), as a Qt signal in the event loop: the system's handler only writes
// to a pipe, which the loop reads. A signal that was ignored when the
// program started (nohup) stays ignored. Signal handlers belong to the
// process, so the program makes one of these for its whole run.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    static constexpr std::array Handled{SIGTERM, SIGINT,  SIGHUP,  SIGQUIT, SIGUSR1,   SIGUSR2, SIGALRM,
                                        SIGPWR,  SIGXCPU, SIGVTALRM, SIGPROF, SIGIO, SIGSTKFLT};
    // Signals less than this apart come from one event: closing a terminal
    // sends two SIGHUPs a few milliseconds apart, one from the shell and one
    // from the kernel.
    static constexpr std::chrono::milliseconds SameEvent{500};

    // Throws PlatformError when the pipe cannot be made, or when another
    // one exists.
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    // Someone asked the program to end.
    void received();

private:
    void readPending();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    std::array<struct sigaction, Handled.size()> previous_{};
    std::chrono::steady_clock::time_point lastRequest_{};
};

} // namespace tovrin
