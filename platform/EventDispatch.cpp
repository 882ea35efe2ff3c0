#include "platform/EventDispatch.h"

#include <cstdio>
#include <exception>

namespace tovrin {

EventDispatch::EventDispatch(Platform& platform, std::string errorTitle)
    : platform_(platform), errorTitle_(std::move(errorTitle)) {}

void EventDispatch::operator()(const std::function<void()>& handler) noexcept {
    std::string failure;
    try {
        handler();
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
