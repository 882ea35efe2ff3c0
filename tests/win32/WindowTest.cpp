#include "editor/Messages.h"
#include "platform/win32/Utf16.h"
#include "tests/support/FileBytes.h"
#include "tests/win32/RunningEditor.h"
#include "tests/win32/TemporaryFolder.h"
#include "window/DesignSettings.h"
#include "window/Twips.h"

#include <thread>

namespace tovrin {
namespace {

namespace fs = std::filesystem;
using testing::RunningEditor;
using testing::contentOf;
using testing::SeenDialog;
using testing::sizeOf;
using testing::TemporaryFolder;
using testing::utf8Of;

const std::vector<int> OkOnly{IDOK};
const std::vector<int> YesNoCancel{IDCANCEL, IDYES, IDNO};

std::wstring windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

int screenDpi(int axis) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dpi;
}

using Window = RunningEditor;

TEST_F(Window, HasItsCaptionFrameAndStartSize) {
    EXPECT_EQ(windowText(window()), toUtf16(Form1Caption));
    const LONG style = GetWindowLongW(window(), GWL_STYLE);
    for (LONG part : {WS_THICKFRAME, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_CAPTION, WS_VISIBLE})
        EXPECT_EQ(style & part, part) << std::hex << part;
    RECT client{};
    GetClientRect(window(), &client);
    EXPECT_EQ(client.right, twipsToPixels(StartClientWidth, screenDpi(LOGPIXELSX)));
    EXPECT_EQ(client.bottom, twipsToPixels(StartClientHeight, screenDpi(LOGPIXELSY)));
}

TEST_F(Window, MenuFollowsTheMenuTable) {
    const HMENU bar = GetMenu(window());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    wchar_t caption[64] = {};
    GetMenuStringW(bar, 0, caption, 64, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"&File");
    const HMENU file = GetSubMenu(bar, 0);
    const std::vector<std::wstring> expected{L"&New", L"-", L"&Generate", L"-", L"E&xit"};
    ASSERT_EQ(GetMenuItemCount(file), static_cast<int>(expected.size()));
    for (UINT position = 0; position < expected.size(); ++position) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE;
        GetMenuItemInfoW(file, position, TRUE, &item);
        if (expected[position] == L"-") {
            EXPECT_NE(item.fType & MFT_SEPARATOR, 0u) << "item " << position;
            continue;
        }
        EXPECT_EQ(item.fState & MFS_DISABLED, 0u) << "item " << position;
        GetMenuStringW(file, position, caption, 64, MF_BYPOSITION);
        EXPECT_EQ(caption, expected[position]);
    }
    EXPECT_EQ(GetMenuItemID(file, 2), static_cast<UINT>(menuCommandId(MenuCommand::Generate)));
}

TEST_F(Window, Text1WrapsScrollsVerticallyAndHasNoSmallLimit) {
    const LONG style = GetWindowLongW(text1(), GWL_STYLE);
    for (LONG part : {ES_MULTILINE, ES_WANTRETURN, WS_VSCROLL})
        EXPECT_EQ(style & part, part) << std::hex << part;
    EXPECT_EQ(style & (WS_HSCROLL | ES_AUTOHSCROLL), 0) << "long lines must wrap";
    // The limit is a UINT: the control's "no limit" reads as -1 where LRESULT has 32 bits.
    EXPECT_GT(static_cast<UINT>(SendMessageW(text1(), EM_GETLIMITTEXT, 0, 0)), 1000000u);
    EXPECT_EQ(GetFocus(), text1());
    EXPECT_EQ(windowText(text1()), L"");
}

TEST_F(Window, Text1FollowsTheOuterSizeByFixedMargins) {
    expectText1SizedByTheLayoutRule(screenDpi(LOGPIXELSX), screenDpi(LOGPIXELSY));

    const SIZE outer = sizeOf(window());
    const SIZE before = sizeOf(text1());
    SetWindowPos(window(), nullptr, 0, 0, outer.cx + 120, outer.cy + 90, SWP_NOMOVE | SWP_NOZORDER);
    handleWaitingMessages();
    EXPECT_EQ(sizeOf(text1()).cx, before.cx + 120);
    EXPECT_EQ(sizeOf(text1()).cy, before.cy + 90);
    RECT placed{};
    GetWindowRect(text1(), &placed);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
}

TEST_F(Window, TypingMarksTheTextUnsavedAndEnterBreaksTheLineWithCrLf) {
    EXPECT_TRUE(form.Saved);
    type(L"echo one\ndir");
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(platform.Text(), L"echo one\r\ndir");
}

TEST_F(Window, SetTextRunsText1ChangeBeforeItReturns) {
    platform.SetText("a\r\nb");
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(platform.Text(), L"a\r\nb");
}

TEST_F(Window, GenerateAsksForANameWritesAnsiBytesAndConfirms) {
    TemporaryFolder folder;
    type(L"@echo off\ncopy caf\u00e9.txt D:\\\n");
    const fs::path chosen = folder.path() / "backup";
    script.enterFileName(chosen.wstring());
    script.pressButton(IDOK);
    choose(MenuCommand::Generate);
    const std::vector<SeenDialog> seen = script.run();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, L"Tovrin");
    EXPECT_EQ(_wcsicmp(seen[0].folder.c_str(), L"c:\\"), 0) << toUtf8(seen[0].folder);
    const std::string written = utf8Of(chosen) + ".bat";
    EXPECT_EQ(seen[1].title, L"Tovrin");
    EXPECT_EQ(seen[1].text, toUtf16(savedConfirmation(written)));
    EXPECT_EQ(seen[1].buttons, OkOnly);
    EXPECT_EQ(contentOf(fs::path(chosen).concat(".bat")), "@echo off\r\ncopy caf\xE9.txt D:\\\r\n");
    EXPECT_TRUE(form.Saved);
    EXPECT_EQ(platform.FileName(), utf8Of(chosen));
}

TEST_F(Window, SaveDialogPresetsTheLastNameAndItsCancelWritesNothing) {
    TemporaryFolder folder;
    type(L"dir");
    const fs::path chosen = folder.path() / "first";
    script.enterFileName(chosen.wstring());
    script.pressButton(IDOK);
    choose(MenuCommand::Generate);
    script.run();
    type(L" /s");

    testing::DialogScript cancelling;
    cancelling.pressButton(IDCANCEL);
    choose(MenuCommand::Generate);
    const std::vector<SeenDialog> seen = cancelling.run();

    ASSERT_EQ(seen.size(), 1u) << "a cancelled dialog confirms nothing";
    EXPECT_NE(seen[0].fileNameField.find(L"first"), std::wstring::npos) << toUtf8(seen[0].fileNameField);
    EXPECT_EQ(contentOf(fs::path(chosen).concat(".bat")), "dir");
    EXPECT_EQ(folder.entries(), 1u);
    EXPECT_FALSE(form.Saved);
}

// Names typed into the Save dialog that some dialogs misread (Wine's crashed
// on a long one, and wrote C:\b.bat and C:\..bat for the others).
struct TypedName {
    const char* test;
    std::wstring name; // in the test's folder
    const char* reason;
};

void PrintTo(const TypedName& typed, std::ostream* out) {
    *out << typed.test;
}

class RefusedInTheDialog : public RunningEditor, public ::testing::WithParamInterface<TypedName> {};

TEST_P(RefusedInTheDialog, GivesAMessageAndKeepsTheProgramAndTheText) {
    TemporaryFolder folder;
    type(L"dir");
    script.enterFileName((folder.path() / GetParam().name).wstring());
    script.pressButton(IDOK);
    choose(MenuCommand::Generate);
    const std::vector<SeenDialog> seen = script.run();

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(toUtf8(seen[1].text).find(GetParam().reason), std::string::npos) << toUtf8(seen[1].text);
    EXPECT_EQ(platform.Text(), L"dir");
    EXPECT_FALSE(form.Saved);
    EXPECT_FALSE(platform.hasEnded());
    EXPECT_EQ(folder.entries(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Window, RefusedInTheDialog,
                         ::testing::Values(TypedName{"Long", std::wstring(300, L'x'), "too long"},
                                           TypedName{"Quote", L"a\"b", "the character \" (U+0022)"},
                                           TypedName{"Dots", L"...", "the part \"...\" ends in a dot"}),
                         [](const auto& typed) { return std::string(typed.param.test); });

// The close button reaches Form1_QueryUnload; what it asks is the editor's.
TEST_F(Window, CloseButtonWithUnsavedTextAsksAndCancelKeepsTheWindow) {
    type(L"dir");
    script.pressButton(IDCANCEL);
    pressCloseButton();
    const std::vector<SeenDialog> seen = script.run();

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, toUtf16(ExitPrompt));
    EXPECT_EQ(seen[0].title, L"Tovrin");
    EXPECT_EQ(seen[0].buttons, YesNoCancel);
    EXPECT_FALSE(platform.hasEnded());
    EXPECT_TRUE(IsWindowVisible(window()));
    EXPECT_EQ(platform.Text(), L"dir");
}

// Log-off and shutdown reach the editor, and its answer reaches Windows;
// once the session ends, the program ends.
TEST_F(Window, EndingTheSessionAsksAndCancelRefusesIt) {
    type(L"dir");
    const auto askToEnd = [&](testing::DialogScript& answers) {
        LRESULT answer = -1;
        std::thread logOff([&] { answer = SendMessageW(window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); });
        const std::vector<SeenDialog> seen = answers.run();
        logOff.join();
        EXPECT_EQ(seen.size(), 1u);
        EXPECT_TRUE(!seen.empty() && seen[0].text == toUtf16(ExitPrompt));
        return answer;
    };
    script.pressButton(IDCANCEL);
    EXPECT_EQ(askToEnd(script), FALSE);
    EXPECT_FALSE(platform.hasEnded());
    EXPECT_EQ(platform.Text(), L"dir");

    testing::DialogScript no;
    no.pressButton(IDNO);
    EXPECT_EQ(askToEnd(no), TRUE);
    SendMessageW(window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(platform.hasEnded());
}

TEST_F(Window, ExitWithNothingUnsavedEndsAtOnceAndNothingMoreArrives) {
    choose(MenuCommand::Exit);
    bool toldToQuit = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        toldToQuit = toldToQuit || message.message == WM_QUIT;
        DispatchMessageW(&message);
    }
    EXPECT_TRUE(platform.hasEnded());
    EXPECT_TRUE(toldToQuit) << "the message loop is told to stop";
    type(L"x");
    EXPECT_EQ(platform.Text(), L"x") << "the keys reached the text box";
    EXPECT_TRUE(form.Saved) << "no handler runs after the end";
}

} // namespace
} // namespace tovrin
