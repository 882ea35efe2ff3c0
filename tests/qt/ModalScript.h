#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>

namespace tovrin::testing {

// Answers the modal windows a test expects, in order, the way a person
// would: each answer waits until its window is shown and active. Whatever
// is still open at the deadline is closed and reported, so that a missed
// window can neither hang the run nor answer the next test's question.
class ModalScript : public QObject {
public:
    explicit ModalScript(int deadlineMilliseconds = 10000);
    ~ModalScript() override;

    template <typename Window>
    void expect(std::function<void(Window*)> answer) {
        steps_.push_back([answer](QWidget* modal) {
            auto* window = qobject_cast<Window*>(modal);
            if (window == nullptr)
                return false;
            answer(window);
            return true;
        });
    }

    bool done() const { return steps_.empty(); }
    const std::string& failure() const { return failure_; }

private:
    void poll();
    void giveUp();

    std::deque<std::function<bool(QWidget*)>> steps_;
    QTimer poller_;
    QTimer deadline_;
    std::string failure_;
};

} // namespace tovrin::testing
