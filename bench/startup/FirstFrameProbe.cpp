// Linked into a program to make it report its own start-up: the time from
// the start of main to the first frame of its window painted, and its
// resident memory then, as "seconds bytes" on standard output. The program
// then leaves its event loop.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

// Taken while the program's globals are set up, right before main runs.
const auto programStart = std::chrono::steady_clock::now();

long long residentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stoll(line.substr(6)) * 1024;
    }
    return -1;
}

void reportAndQuit() {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - programStart).count();
    std::printf("%.9f %lld\n", seconds, residentBytes());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

// A window's widgets are painted and the frame flushed in one go; a call
// queued at the first paint runs once that frame is complete.
class FirstFrameWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            QMetaObject::invokeMethod(QCoreApplication::instance(), &reportAndQuit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool seen_ = false;
};

void watchForFirstFrame() {
    QCoreApplication::instance()->installEventFilter(new FirstFrameWatcher(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstFrame)
