#include "platform/EventDelivery.h"

#include <cstdio>
#include <exception>

namespace tovrin {

EventDelivery::EventDelivery(Platform& platform, std::string errorTitle)
    : platform_(platform), errorTitle_(std::move(errorTitle)) {}

void EventDelivery::operator()(void (FormEvents::*handler)()) noexcept {
    (*this)([handler](FormEvents& events) { (events.*handler)(); });
}

void EventDelivery::operator()(const std::function<void(FormEvents&)>& handler) noexcept {
    if (ended_ || events_ == nullptr)
        return;
    std::string failure;
    try {
        handler(*events_);
        return;
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "An unknown error occurred.";
    }
    try {
        platform_.messageBox(failure, MB_OK | MB_ICONERROR, errorTitle_);
    } catch (...) {
        // Nowhere left to show it; the program and the text must survive anyway.
        std::fprintf(stderr, "%s\n", failure.c_str());
    }
}

} // namespace tovrin
