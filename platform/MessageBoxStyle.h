#pragma once

// Message-box styles and answers, with the values the Windows API gives them.
// Where the Windows headers came first, their macros of the same names and
// values stand in for these.
#ifndef MB_OK
namespace tovrin {

inline constexpr int MB_OK = 0;
inline constexpr int MB_YESNOCANCEL = 3;
inline constexpr int MB_ICONERROR = 0x10;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

} // namespace tovrin
#endif
