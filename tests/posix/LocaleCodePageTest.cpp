#include "batchfile/CodePage.h"
#include "platform/posix/LocaleCodePage.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace tovrin {
namespace {

// "sr-Latn-RS" as a POSIX locale name: "sr_RS.UTF-8@latin".
std::string posixName(const std::string& windowsName) {
    static const std::map<std::string, std::string> scriptModifiers = {
        {"Latn", "latin"}, {"Cyrl", "cyrillic"}, {"Arab", "arabic"}, {"Deva", "devanagari"}, {"Mong", "mongolian"}};
    std::istringstream parts(windowsName);
    std::string language, part, territory, script;
    std::getline(parts, language, '-');
    while (std::getline(parts, part, '-'))
        (part.size() == 4 ? script : territory) = part;
    if (!script.empty()) {
        const auto known = scriptModifiers.find(script);
        script = "@" + (known != scriptModifiers.end() ? known->second : std::string(1, char(std::tolower(script[0]))) + script.substr(1));
    }
    return language + "_" + territory + ".UTF-8" + script;
}

// Every locale Windows knows that names a territory (see
// tests/codepages/README.md), with the ANSI page Windows gives it; 1252
// where it gives none.
TEST(LocaleCodePage, EachLocaleGetsThePageWindowsGivesIt) {
    std::ifstream file(TOVRIN_CODE_PAGE_REFERENCE "/windows/locales.txt");
    ASSERT_TRUE(file);
    std::string name;
    unsigned windowsPage = 0;
    int compared = 0;
    file.ignore(1000, '\n');
    while (file >> name >> windowsPage) {
        if (name.find('-') == std::string::npos || name.size() - name.rfind('-') > 4)
            continue;  // a language alone, or with a script alone
        EXPECT_EQ(codePageForLocale(posixName(name)), windowsPage != 0 ? windowsPage : 1252u) << name;
        ++compared;
    }
    EXPECT_GT(compared, 500);
}

TEST(LocaleCodePage, TheCodesetModifiersAndNamesWindowsDoesNotUseAreReadAsWindowsWould) {
    const std::pair<const char*, unsigned> rows[] = {
        // The C library's names where Windows names the script.
        {"tg_TJ.UTF-8", 1251},  {"uz_UZ", 1254},  {"uz_UZ.UTF-8@cyrillic", 1251}, {"sr_RS", 1251},
        {"sr_RS@latin", 1250},  {"az_AZ", 1254},  {"bs_BA", 1250},                {"pa_PK", 1256},
        {"ckb_IQ", 1256},       {"ko_KR.EUC-KR", 949}, {"zh_HK.UTF-8@stroke", 950}, {"en_US@euro", 1252},
        {"C", 1252},            {"POSIX", 1252},  {"C.UTF-8", 1252},              {"", 1252},
        {"xx_YY", 1252},        {"russian", 1252},
    };
    for (const auto& [locale, codePage] : rows)
        EXPECT_EQ(codePageForLocale(locale), codePage) << locale;
}

// Sets the locale's variables for one test and puts them back afterwards.
class LocaleVariables : public ::testing::Test {
protected:
    static constexpr const char* Names[] = {"LC_ALL", "LC_CTYPE", "LANG"};

    LocaleVariables() {
        for (const char* name : Names)
            if (const char* value = std::getenv(name))
                saved_[name] = value;
    }
    ~LocaleVariables() override {
        for (const char* name : Names)
            saved_.contains(name) ? ::setenv(name, saved_[name].c_str(), 1) : ::unsetenv(name);
    }

    void set(const char* allValue, const char* ctypeValue, const char* langValue) {
        const char* values[] = {allValue, ctypeValue, langValue};
        for (int i = 0; i < 3; ++i)
            values[i] != nullptr ? ::setenv(Names[i], values[i], 1) : ::unsetenv(Names[i]);
    }

private:
    std::map<std::string, std::string> saved_;
};

TEST_F(LocaleVariables, TheFirstSetAndNonEmptyOfLcAllLcCtypeAndLangDecides) {
    set("ru_RU.UTF-8", "ja_JP.UTF-8", "el_GR.UTF-8");
    EXPECT_EQ(systemCodePage(), 1251u);
    set("", "ja_JP.UTF-8", "el_GR.UTF-8");
    EXPECT_EQ(systemCodePage(), 932u);
    set(nullptr, nullptr, "el_GR.UTF-8");
    EXPECT_EQ(systemCodePage(), 1253u);
    set(nullptr, nullptr, nullptr);
    EXPECT_EQ(systemCodePage(), 1252u);
}

} // namespace
} // namespace tovrin
