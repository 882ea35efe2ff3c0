#pragma once

#include "platform/FormEvents.h"
#include "platform/Platform.h"

#include <functional>
#include <string>

namespace tovrin {

// Delivers a backend's events to the handlers, one at a time, from the
// moment they are connected until the program ends. A failure that leaves
// a handler ends here, and only here: the user is told what failed and the
// program goes on, with the text and its saved state as the handler left
// them.
class EventDelivery {
public:
    using Request = bool (FormEvents::*)();

    EventDelivery(Platform& platform, std::string errorTitle);

    void connect(FormEvents& events) { events_ = &events; }
    // From now on no event reaches the handlers.
    void end() { ended_ = true; }
    bool hasEnded() const { return ended_; }

    void operator()(void (FormEvents::*handler)()) noexcept;
    void operator()(const std::function<void(FormEvents&)>& handler) noexcept;
    // A request to end. One that the handlers cannot take now, or that
    // arrives while a failure is shown, waits until the event being handled
    // is done and is then handed over once: the requests that wait
    // meanwhile are one.
    void requestEnd(Request request) noexcept;
    // The user's session is ending: the handlers decide, asking only if
    // mayAsk and no failure is shown (nothing opens over its message), and
    // the answer is whether the session may end.
    bool endSession(bool mayAsk) noexcept;
    // What the handlers answer to a question that changes nothing.
    bool ask(bool (FormEvents::*question)() const) const { return events_ != nullptr && (events_->*question)(); }

private:
    void handOverWaitingRequest() noexcept;

    Platform& platform_;
    std::string errorTitle_;
    FormEvents* events_ = nullptr;
    bool ended_ = false;
    int handling_ = 0;
    bool showingFailure_ = false;
    Request waitingRequest_ = nullptr;
};

} // namespace tovrin
