#include "platform/EventDelivery.h"

#include <cstdio>
#include <exception>
#include <utility>

namespace tovrin {

EventDelivery::EventDelivery(Platform& platform, std::string errorTitle)
    : platform_(platform), errorTitle_(std::move(errorTitle)) {}

void EventDelivery::operator()(void (FormEvents::*handler)()) noexcept {
    (*this)([handler](FormEvents& events) { (events.*handler)(); });
}

void EventDelivery::operator()(const std::function<void(FormEvents&)>& handler) noexcept {
    if (ended_ || events_ == nullptr)
        return;
    ++handling_;
    std::string failure;
    try {
        handler(*events_);
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "An unknown error occurred.";
    }
    if (!failure.empty()) {
        showingFailure_ = true;
        try {
            platform_.messageBox(failure, MB_OK | MB_ICONERROR, errorTitle_);
        } catch (...) {
            // Nowhere left to show it; the program and the text must survive anyway.
            std::fprintf(stderr, "%s\n", failure.c_str());
        }
        showingFailure_ = false;
    }
    --handling_;
    if (handling_ == 0)
        handOverWaitingRequest();
}

void EventDelivery::requestEnd(Request request) noexcept {
    if (showingFailure_) {
        waitingRequest_ = request;
        return;
    }
    bool taken = true;
    (*this)([&](FormEvents& events) { taken = (events.*request)(); });
    if (!taken)
        waitingRequest_ = request;
}

bool EventDelivery::endSession(bool mayAsk) noexcept {
    const bool askNow = mayAsk && !showingFailure_;
    (*this)([askNow](FormEvents& events) { events.Form1_QueryEndSession(askNow); });
    return ask(&FormEvents::mayEndSession);
}

void EventDelivery::handOverWaitingRequest() noexcept {
    if (waitingRequest_ != nullptr)
        requestEnd(std::exchange(waitingRequest_, nullptr));
}

} // namespace tovrin
