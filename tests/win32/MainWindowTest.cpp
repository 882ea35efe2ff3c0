#include "tests/win32/RunningEditor.h"

#include <utility>
#include <vector>

namespace tovrin {
namespace {

struct MadeWindow {
    HWND window;
    HMENU menu;
};

// Windows made one after another and destroyed; the first one (which
// registers the class and loads the shared icons, both meant to stay) is
// not counted.
std::vector<MadeWindow> makeAndDestroyWindows() {
    { MainWindow first; }
    std::vector<MadeWindow> made;
    for (int count = 0; count < 3; ++count) {
        MainWindow window;
        made.push_back({window.handle(), GetMenu(window.handle())});
    }
    return made;
}

TEST(MainWindowLifetime, LeavesNoWindowOrMenuBehind) {
    for (const MadeWindow& made : makeAndDestroyWindows()) {
        EXPECT_FALSE(IsWindow(made.window));
        EXPECT_FALSE(IsMenu(made.menu));
    }
}

TEST(MainWindowLifetime, LeavesTheProcessesGuiObjectCountsAsTheyWere) {
    const auto counts = [] {
        return std::pair{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                         GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
    };
    { MainWindow first; }
    const auto before = counts();
    if (before.second == 0)
        GTEST_SKIP() << "this system does not count a process's GUI objects (Wine does not)";
    makeAndDestroyWindows();
    EXPECT_EQ(counts(), before);
}

} // namespace
} // namespace tovrin
