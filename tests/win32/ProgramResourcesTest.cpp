#include "platform/win32/ResourceIds.h"
#include "platform/win32/Utf16.h"
#include "tests/win32/RunningEditor.h"
#include "window/DesignSettings.h"
#include "window/IconPixels.h"

#include <shlwapi.h>
#include <uxtheme.h>

#include <cstdint>
#include <vector>

namespace tovrin {
namespace {

using testing::RunningEditor;

// The pixels of a bitmap as 0x00RRGGBB, rows from the top.
std::vector<std::uint32_t> pixelsOf(HBITMAP bitmap, int size) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size;
    format.bmiHeader.biHeight = -size;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size * size));
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(size), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rows, size);
    return pixels;
}

// Every pixel of the icon is the pixel of the drawing in window/: opaque
// ones in their colour, transparent ones masked out.
void expectIconShows(HICON icon, int size) {
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(GetIconInfo(icon, &parts));
    BITMAP colourBitmap{};
    GetObjectW(parts.hbmColor, sizeof colourBitmap, &colourBitmap);
    EXPECT_EQ(colourBitmap.bmWidth, size);
    EXPECT_EQ(colourBitmap.bmHeight, size);
    const std::vector<std::uint32_t> colours = pixelsOf(parts.hbmColor, size);
    const std::vector<std::uint32_t> mask = pixelsOf(parts.hbmMask, size);
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);

    const IconImage drawing = iconImage(size);
    int differences = 0;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const std::size_t at = static_cast<std::size_t>(row * size + column);
            const IconColour expected = drawing.at(row, column);
            const bool masked = (mask[at] & 0xFFFFFF) != 0;
            const Rgb rgb = rgbOf(expected);
            const std::uint32_t expectedColour = (rgb.red << 16) | (rgb.green << 8) | rgb.blue;
            const bool same = expected == IconColour::Transparent
                                  ? masked
                                  : !masked && (colours[at] & 0xFFFFFF) == expectedColour;
            if (!same && ++differences <= 5)
                ADD_FAILURE() << size << "x" << size << " icon differs at row " << row << ", column " << column;
        }
    }
    EXPECT_EQ(differences, 0);
}

HICON loadIcon(HMODULE module, int size) {
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(TOVRIN_ICON), IMAGE_ICON, size, size, 0));
}

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

using ProgramResources = RunningEditor;

TEST_F(ProgramResources, WindowIconsAreTheDrawingInBothSizes) {
    expectIconShows(reinterpret_cast<HICON>(GetClassLongPtrW(window(), GCLP_HICON)), LargeIconSize);
    expectIconShows(reinterpret_cast<HICON>(GetClassLongPtrW(window(), GCLP_HICONSM)), SmallIconSize);
}

// The manifest asks for common controls 6, which theme the controls of the
// window, its message boxes and the Save dialog; Windows then takes the
// controls from the side-by-side assembly of version 6. (Wine's copy there
// reports 5.81 from DllGetVersion, so its folder tells the version too.)
TEST_F(ProgramResources, WindowRunsOnCommonControls6) {
    const HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(controls, nullptr) << "the window's controls did not load the common controls";
    using GetVersion = HRESULT WINAPI(DLLVERSIONINFO*);
    const auto getVersion = reinterpret_cast<GetVersion*>(
        reinterpret_cast<void (*)()>(GetProcAddress(controls, "DllGetVersion")));
    ASSERT_NE(getVersion, nullptr);
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    ASSERT_EQ(getVersion(&version), S_OK);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(controls, path, MAX_PATH);
    std::wstring folder(path);
    CharLowerW(folder.data());
    const bool fromVersion6Assembly =
        folder.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.") != std::wstring::npos;
    EXPECT_TRUE(version.dwMajorVersion >= 6u || fromVersion6Assembly)
        << "version " << version.dwMajorVersion << "." << version.dwMinorVersion << " from " << toUtf8(path);
}

// What common controls 6 are for: the Save dialog and the message boxes
// draw their buttons in the visual style, as other programs of today do.
TEST_F(ProgramResources, SaveDialogAndMessageBoxesDrawThemedButtons) {
    if (!IsAppThemed())
        GTEST_SKIP() << "no visual style is active on this system";
    type(L"dir");
    script.pressButton(IDCANCEL);
    choose(MenuCommand::Generate);
    std::vector<testing::SeenDialog> seen = script.run();
    testing::DialogScript prompt;
    prompt.pressButton(IDCANCEL);
    pressCloseButton();
    for (const testing::SeenDialog& dialog : prompt.run())
        seen.push_back(dialog);

    ASSERT_EQ(seen.size(), 2u);
    for (const testing::SeenDialog& dialog : seen)
        EXPECT_TRUE(dialog.themed) << toUtf8(dialog.title) << ": " << toUtf8(dialog.text);
}

class Executable : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(module, nullptr) << "TOVRIN.exe not found beside the tests"; }
    void TearDown() override {
        if (module != nullptr)
            FreeLibrary(module);
    }

    std::wstring path = besideThisProgram(L"TOVRIN.exe");
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
};

TEST_F(Executable, CarriesTheSameIconInBothSizes) {
    expectIconShows(loadIcon(module, LargeIconSize), LargeIconSize);
    expectIconShows(loadIcon(module, SmallIconSize), SmallIconSize);
}

TEST_F(Executable, CarriesItsVersionInformation) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    const auto value = [&](const std::wstring& name) {
        wchar_t* text = nullptr;
        UINT characters = 0;
        const std::wstring key = L"\\StringFileInfo\\040904B0\\" + name;
        if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &characters))
            return std::string("(missing)");
        return toUtf8(text);
    };
    EXPECT_EQ(value(L"FileVersion"), ProductVersion);
    EXPECT_EQ(value(L"ProductVersion"), ProductVersion);
    EXPECT_EQ(value(L"ProductName"), ProductName);
    EXPECT_EQ(value(L"InternalName"), ProductName);
    EXPECT_EQ(value(L"OriginalFilename"), "TOVRIN.exe");
    EXPECT_EQ(value(L"CompanyName"), ProgramName);
}

} // namespace
} // namespace tovrin
