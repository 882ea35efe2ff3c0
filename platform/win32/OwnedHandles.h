#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tovrin {

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A menu not yet given to a window, destroyed unless released to one.
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

} // namespace tovrin
