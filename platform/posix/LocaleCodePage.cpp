#include "platform/posix/LocaleCodePage.h"

#include "batchfile/CodePage.h"

#include <cstdlib>
#include <utility>

namespace tovrin {

namespace {

constexpr unsigned WesternEuropean = 1252;

// The ANSI code page Windows gives each language (LOCALE_IDEFAULTANSICODEPAGE),
// by POSIX names: "language", "language@script" and, where the territory
// decides, "language_TERRITORY" and "language_TERRITORY@script". Languages
// Windows gives 1252 or no ANSI page at all are left out.
constexpr std::pair<std::string_view, unsigned> CodePageOfLocale[] = {
    {"th", 874},
    {"ja", 932},
    {"zh", 936}, {"zh@hans", 936},
    {"ko", 949},
    {"zh_TW", 950}, {"zh_HK", 950}, {"zh_MO", 950},
    {"bs", 1250}, {"cs", 1250}, {"hr", 1250}, {"hu", 1250}, {"pl", 1250}, {"ro", 1250}, {"sk", 1250},
    {"sl", 1250}, {"sq", 1250}, {"sr@latin", 1250}, {"tk", 1250},
    {"az@cyrillic", 1251}, {"ba", 1251}, {"be", 1251}, {"bg", 1251}, {"bs@cyrillic", 1251}, {"ky", 1251},
    {"mk", 1251}, {"mn", 1251}, {"ru", 1251}, {"sah", 1251}, {"sr", 1251}, {"tg", 1251}, {"tt", 1251},
    {"uk", 1251}, {"uz@cyrillic", 1251},
    {"el", 1253},
    {"az", 1254}, {"tr", 1254}, {"uz", 1254},
    {"he", 1255},
    {"ar", 1256}, {"ckb", 1256}, {"fa", 1256}, {"ku@arabic", 1256}, {"pa@arabic", 1256}, {"pa_PK", 1256},
    {"prs", 1256}, {"sd", 1256}, {"ug", 1256}, {"ur", 1256},
    {"et", 1257}, {"lt", 1257}, {"lv", 1257},
    {"vi", 1258},
    // Scripts and territories of those languages that have no ANSI page.
    {"ko_KP", WesternEuropean}, {"ku_IR@arabic", WesternEuropean}, {"mn@mongolian", WesternEuropean},
    {"sd@devanagari", WesternEuropean}, {"uz@arabic", WesternEuropean},
};

// language[_territory][.codeset][@modifier]
struct LocaleName {
    std::string_view language, territory, modifier;
    bool operator==(const LocaleName&) const = default;
};

LocaleName parse(std::string_view locale) {
    const std::size_t at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? "" : locale.substr(at + 1);
    std::string_view name = locale.substr(0, at);
    name = name.substr(0, name.find('.'));
    const std::size_t underscore = name.find('_');
    return {name.substr(0, underscore), underscore == std::string_view::npos ? "" : name.substr(underscore + 1),
            modifier};
}

} // namespace

// The most particular name the table knows decides.
unsigned codePageForLocale(std::string_view locale) {
    const LocaleName name = parse(locale);
    const LocaleName candidates[] = {
        name, {name.language, "", name.modifier}, {name.language, name.territory, ""}, {name.language, "", ""}};
    for (const LocaleName& candidate : candidates)
        for (const auto& [known, codePage] : CodePageOfLocale)
            if (parse(known) == candidate)
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
