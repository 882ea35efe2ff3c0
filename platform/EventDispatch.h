#pragma once

#include "platform/Platform.h"

#include <functional>
#include <string>

namespace tovrin {

// Runs one event handler. A failure that leaves the handler ends here, and
// only here: the user is told what failed and the program goes on, with the
// text and its saved state as the handler left them.
class EventDispatch {
public:
    EventDispatch(Platform& platform, std::string errorTitle);

    void operator()(const std::function<void()>& handler) noexcept;

private:
    Platform& platform_;
    std::string errorTitle_;
};

} // namespace tovrin
