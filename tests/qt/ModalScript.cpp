#include "tests/qt/ModalScript.h"

namespace tovrin::testing {

ModalScript::ModalScript(int deadlineMilliseconds) {
    connect(&poller_, &QTimer::timeout, this, &ModalScript::poll);
    poller_.start(10);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &ModalScript::giveUp);
    deadline_.start(deadlineMilliseconds);
}

ModalScript::~ModalScript() {
    poller_.stop();
    deadline_.stop();
}

void ModalScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (steps_.empty() || modal == nullptr || !modal->isVisible() || !modal->isActiveWindow())
        return;
    // Answering may open the next modal window inside this call; take the
    // step off the queue first, so that the next poll sees the next step.
    auto step = steps_.front();
    steps_.pop_front();
    if (!step(modal))
        steps_.push_front(step);
}

void ModalScript::giveUp() {
    if (steps_.empty() && QApplication::activeModalWidget() == nullptr)
        return;
    failure_ = steps_.empty() ? "an unexpected modal window stayed open"
                              : std::to_string(steps_.size()) + " expected modal window(s) never came";
    steps_.clear();
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    }
}

} // namespace tovrin::testing
