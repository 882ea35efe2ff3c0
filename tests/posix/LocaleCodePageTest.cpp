#include "platform/batchfile/CodePage.h"
#include "platform/posix/LocaleCodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace tovrin {
namespace {

TEST(LocaleCodePage, TheLanguageChoosesThePageAndTheTerritoryOrScriptWhereTheyDecide) {
    const std::pair<const char*, unsigned> rows[] = {
        {"ru_RU.UTF-8", 1251}, {"pl_PL", 1250},          {"el_GR.UTF-8", 1253},   {"tr_TR.UTF-8", 1254},
        {"ja_JP.UTF-8", 932},  {"ko_KR.EUC-KR", 949},    {"th_TH", 874},          {"vi_VN", 1258},
        {"zh_CN.UTF-8", 936},  {"zh_SG", 936},           {"zh_TW.UTF-8", 950},    {"zh_HK.UTF-8@stroke", 950},
        {"sr_RS", 1251},       {"sr_RS.UTF-8@latin", 1250}, {"az_AZ", 1254},      {"he_IL.UTF-8", 1255},
        {"de_DE.UTF-8", 1252}, {"en_US@euro", 1252},     {"C", 1252},             {"POSIX", 1252},
        {"C.UTF-8", 1252},     {"", 1252},               {"xx_YY", 1252},         {"russian", 1252},
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
