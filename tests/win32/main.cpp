#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// Below the test runner's own limit, so that a hang reports itself.
constexpr auto Watchdog = std::chrono::minutes(4);
constexpr UINT HungExitCode = 3;

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::thread([] {
        std::this_thread::sleep_for(Watchdog);
        std::fputs("The Win32 tests hung; the watchdog ended them.\n", stderr);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), HungExitCode);
    }).detach();
    return RUN_ALL_TESTS();
}
