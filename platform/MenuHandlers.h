#pragma once

#include "platform/FormEvents.h"
#include "window/MenuTable.h"

namespace tovrin {

using Handler = void (FormEvents::*)();

// The handler that choosing a menu command is delivered to, for every
// backend; a command of None (the menu bar's title, a separator) has none.
constexpr Handler menuHandler(MenuCommand command) {
    switch (command) {
    case MenuCommand::New: return &FormEvents::mnunew_Click;
    case MenuCommand::Generate: return &FormEvents::mnugen_Click;
    case MenuCommand::Exit: return &FormEvents::mnuexit_Click;
    case MenuCommand::None: break;
    }
    return nullptr;
}

} // namespace tovrin
