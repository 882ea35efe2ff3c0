#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace tovrin {

// SIGTERM, SIGINT and SIGHUP, as a Qt signal in the event loop: the system's
// handler only writes to a pipe, which the loop reads. While it exists it
// takes these signals over from their default of ending the program at once.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    TerminationSignals();
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    // Someone asked the program to end.
    void received();

private:
    void readPending();

    QSocketNotifier* notifier_ = nullptr;
    struct sigaction previous_[3] {};
};

} // namespace tovrin
