#include "editor/Form1.h"
#include "platform/PlatformError.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

class Generate : public ::testing::Test {
protected:
    Generate() {
        platform.connect(form);
        form.Form1_Load();
    }

    ScriptedPlatform platform;
    Form1 form{platform};
};

TEST_F(Generate, AsksWritesConfirmsThenMarksClean) {
    platform.type("@echo off\r\ncd \\tools\r\ndir");
    platform.saveDialogChoices = {"/home/user/tools/backup"};
    platform.messageBoxAnswers = {IDOK};

    form.mnugen_Click();

    const std::vector<std::string> expected{
        "ShowSave ",
        "FileName",
        "writeBatchFile /home/user/tools/backup.bat",
        "messageBox File : /home/user/tools/backup.bat\r\nSaved Succesfully | 0 | Tovrin",
    };
    EXPECT_EQ(platform.calls, expected);
    EXPECT_EQ(platform.files.at("/home/user/tools/backup.bat"), "@echo off\r\ncd \\tools\r\ndir");
    EXPECT_TRUE(form.Saved);
}

TEST_F(Generate, DialogHasItsFixedSettings) {
    platform.saveDialogChoices = {"/tmp/a"};
    platform.messageBoxAnswers = {IDOK};
    form.mnugen_Click();
    EXPECT_EQ(platform.lastDialogSettings.dialogTitle, "Tovrin");
    EXPECT_EQ(platform.lastDialogSettings.initialFolder, "c:\\");
    EXPECT_EQ(platform.lastDialogSettings.filterText, ".bat");
    EXPECT_EQ(platform.lastDialogSettings.filterPattern, "*.bat");
    EXPECT_EQ(platform.lastDialogSettings.defaultExtension, "");
    EXPECT_FALSE(platform.lastDialogSettings.askBeforeReplacing);
}

TEST_F(Generate, SavedBecomesTrueOnlyAfterTheConfirmationCloses) {
    platform.type("x");
    platform.saveDialogChoices = {"/tmp/a"};
    platform.messageBoxAnswers = {IDOK};
    std::optional<bool> savedWhileConfirming;
    platform.whileMessageBoxOpen = [&] { savedWhileConfirming = form.Saved; };
    form.mnugen_Click();
    EXPECT_EQ(savedWhileConfirming, false);
    EXPECT_TRUE(form.Saved);

    // A change that reaches the text while the box is open is not in the file.
    platform.saveDialogChoices = {"/tmp/a"};
    platform.messageBoxAnswers = {IDOK};
    platform.whileMessageBoxOpen = [&] { platform.type("y"); };
    form.mnugen_Click();
    EXPECT_EQ(platform.files.at("/tmp/a.bat"), "x");
    EXPECT_FALSE(form.Saved);
}

TEST_F(Generate, ExtensionIsAlwaysAppended) {
    platform.saveDialogChoices = {"/tmp/x.bat"};
    platform.messageBoxAnswers = {IDOK};
    form.mnugen_Click();
    EXPECT_EQ(platform.files.count("/tmp/x.bat.bat"), 1u);
}

TEST_F(Generate, CleanTextIsGeneratedAgainWhenAsked) {
    ASSERT_TRUE(form.Saved);
    platform.saveDialogChoices = {"/tmp/empty"};
    platform.messageBoxAnswers = {IDOK};
    form.mnugen_Click();
    EXPECT_EQ(platform.files.at("/tmp/empty.bat"), "");
    EXPECT_TRUE(form.Saved);
}

TEST_F(Generate, CancelledDialogWritesNothingAndReportsIt) {
    platform.type("keep me");
    platform.saveDialogChoices = {std::nullopt};
    EXPECT_FALSE(form.GenerateBatFile());
    EXPECT_EQ(platform.calls, std::vector<std::string>{"ShowSave "});
    EXPECT_TRUE(platform.files.empty());
    EXPECT_FALSE(form.Saved);
}

TEST_F(Generate, FailedWriteLeavesTheHandlerWithoutConfirmation) {
    platform.type("x");
    platform.saveDialogChoices = {"/nonexistent/dir/a"};
    platform.nextWriteFailure = "No such file or directory";
    EXPECT_THROW(form.mnugen_Click(), PlatformError);
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(platform.calls.back(), "writeBatchFile /nonexistent/dir/a.bat");
    EXPECT_EQ(platform.text1, "x");
}

} // namespace
} // namespace tovrin
