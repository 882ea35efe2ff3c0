#pragma once

#include <string>
#include <string_view>

namespace tovrin {

inline constexpr std::string_view ProgramName = "Tovrin";
inline constexpr std::string_view MakerWebAddress = "https://tovrin.example";
inline const std::string Form1Caption = "Tovrin - Vaskel.exe - " + std::string(MakerWebAddress);

// What the program tells the system about itself.
inline constexpr std::string_view ProductName = "TOVRIN";
inline constexpr std::string_view ProductVersion = "1.00";
// The name of the desktop entry that the program is installed with; desktops
// find its menu entry and icon for the window by it.
inline constexpr std::string_view DesktopEntryId = "example.tovrin.Tovrin";

// How a screen reader names the text area.
inline constexpr std::string_view Text1AccessibleName = "Batch commands";
inline constexpr std::string_view Text1AccessibleDescription =
    "The text of the batch file; File, Generate writes it to a .bat file.";

// The client area of Form1 when the program starts.
inline constexpr float StartClientWidth = 8115;
inline constexpr float StartClientHeight = 4560;

// Where Text1 stands until the first Resize fits it to the window.
inline constexpr float Text1DesignWidth = 8055;
inline constexpr float Text1DesignHeight = 4455;

} // namespace tovrin
