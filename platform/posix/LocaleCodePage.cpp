#include "platform/posix/LocaleCodePage.h"

#include "platform/batchfile/CodePage.h"

#include <cstdlib>
#include <utility>

namespace tovrin {

namespace {

constexpr unsigned WesternEuropean = 1252;

constexpr std::pair<std::string_view, unsigned> CodePageOfLanguage[] = {
    {"th", 874},
    {"ja", 932},
    {"ko", 949},
    {"cs", 1250}, {"sk", 1250}, {"pl", 1250}, {"hu", 1250}, {"sl", 1250},
    {"hr", 1250}, {"bs", 1250}, {"ro", 1250}, {"sq", 1250},
    {"ru", 1251}, {"uk", 1251}, {"be", 1251}, {"bg", 1251}, {"mk", 1251},
    {"kk", 1251}, {"ky", 1251}, {"mn", 1251}, {"tt", 1251}, {"ba", 1251},
    {"el", 1253},
    {"tr", 1254},
    {"he", 1255},
    {"ar", 1256}, {"fa", 1256}, {"ur", 1256},
    {"et", 1257}, {"lv", 1257}, {"lt", 1257},
    {"vi", 1258},
    // Where the territory or the script decides, the page of the usual one.
    {"zh", 936}, {"sr", 1251}, {"az", 1254},
};

} // namespace

// language[_territory][.codeset][@modifier]
unsigned codePageForLocale(std::string_view locale) {
    const std::size_t at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? "" : locale.substr(at + 1);
    std::string_view name = locale.substr(0, at);
    name = name.substr(0, name.find('.'));
    const std::size_t underscore = name.find('_');
    const std::string_view language = name.substr(0, underscore);
    const std::string_view territory = underscore == std::string_view::npos ? "" : name.substr(underscore + 1);

    if (language == "zh" && (territory == "TW" || territory == "HK" || territory == "MO"))
        return 950;
    if (language == "sr" && modifier == "latin")
        return 1250;
    if (language == "az" && modifier == "cyrillic")
        return 1251;
    for (const auto& [known, codePage] : CodePageOfLanguage)
        if (language == known)
            return codePage;
    return WesternEuropean;
}

std::string_view localeOfEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"})
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0')
            return value;
    return "";
}

unsigned systemCodePage() {
    return codePageForLocale(localeOfEnvironment());
}

} // namespace tovrin
