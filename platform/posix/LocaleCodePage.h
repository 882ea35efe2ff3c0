#pragma once

#include <string_view>

namespace tovrin {

// The ANSI code page that Windows uses for the language of a POSIX locale
// name such as "ru_RU.UTF-8" or "sr_RS@latin": 1252 for the languages that
// have no page of their own, for "C" and "POSIX", and for names it does not
// know.
unsigned codePageForLocale(std::string_view locale);

// The locale that decides the character type: the first of LC_ALL,
// LC_CTYPE and LANG that is set and not empty.
std::string_view localeOfEnvironment();

} // namespace tovrin
