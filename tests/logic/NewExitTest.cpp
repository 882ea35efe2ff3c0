#include "editor/Form1.h"
#include "platform/PlatformError.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;
using Calls = std::vector<std::string>;

const std::string NewQuestion = "messageBox Generate .Bat file before clearing the text? | 3 | Tovrin";
const std::string ExitQuestion = "messageBox Generate .Bat file before exiting? | 3 | Tovrin";
const std::string Confirmation = "messageBox File : /w/job.bat\r\nSaved Succesfully | 0 | Tovrin";
const Calls Generation{"ShowSave ", "FileName", "writeBatchFile /w/job.bat", Confirmation};

Calls operator+(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class NewExit : public ::testing::Test {
protected:
    NewExit() {
        platform.connect(form);
        form.Form1_Load();
    }

    void makeDirty() {
        platform.type("echo hi");
        platform.calls.clear();
    }

    ScriptedPlatform platform;
    Form1 form{platform};
};

TEST_F(NewExit, CleanNewClearsWithoutAskingAndStaysClean) {
    platform.calls.clear();
    form.mnunew_Click();
    EXPECT_EQ(platform.calls, Calls{"SetText "});
    EXPECT_TRUE(form.Saved);
}

TEST_F(NewExit, DirtyNewYesGeneratesPumpsThenClears) {
    makeDirty();
    platform.messageBoxAnswers = {IDYES, IDOK};
    platform.saveDialogChoices = {"/w/job"};
    form.mnunew_Click();
    EXPECT_EQ(platform.calls, (Calls{NewQuestion} + Generation + Calls{"pumpEvents", "SetText "}));
    EXPECT_EQ(platform.files.at("/w/job.bat"), "echo hi");
    EXPECT_EQ(platform.text1, "");
    EXPECT_TRUE(form.Saved);
}

TEST_F(NewExit, DirtyNewNoClearsWithoutWriting) {
    makeDirty();
    platform.messageBoxAnswers = {IDNO};
    form.mnunew_Click();
    EXPECT_EQ(platform.calls, (Calls{NewQuestion, "SetText "}));
    EXPECT_TRUE(platform.files.empty());
    EXPECT_EQ(platform.text1, "");
    EXPECT_TRUE(form.Saved);
}

TEST_F(NewExit, DirtyNewCancelChangesNothing) {
    makeDirty();
    platform.messageBoxAnswers = {IDCANCEL};
    form.mnunew_Click();
    EXPECT_EQ(platform.calls, (Calls{NewQuestion, "Show"}));
    EXPECT_EQ(platform.text1, "echo hi");
    EXPECT_FALSE(form.Saved);
}

TEST_F(NewExit, CleanExitEndsAtOnce) {
    platform.calls.clear();
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls, Calls{"endProgram"});
}

TEST_F(NewExit, DirtyExitYesGeneratesPumpsThenEnds) {
    makeDirty();
    platform.messageBoxAnswers = {IDYES, IDOK};
    platform.saveDialogChoices = {"/w/job"};
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls, (Calls{ExitQuestion} + Generation + Calls{"pumpEvents", "endProgram"}));
    EXPECT_EQ(platform.files.at("/w/job.bat"), "echo hi");
    EXPECT_FALSE(platform.calledAfterEnd);
}

TEST_F(NewExit, DirtyExitNoEndsWithoutWriting) {
    makeDirty();
    platform.messageBoxAnswers = {IDNO};
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls, (Calls{ExitQuestion, "endProgram"}));
    EXPECT_TRUE(platform.files.empty());
}

TEST_F(NewExit, DirtyExitCancelRunsOnAndAsksAgainNextTime) {
    makeDirty();
    platform.messageBoxAnswers = {IDCANCEL, IDCANCEL};
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls, (Calls{ExitQuestion, "Show"}));
    EXPECT_FALSE(platform.ended);
    EXPECT_EQ(platform.text1, "echo hi");
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls.size(), 4u);
    EXPECT_EQ(platform.calls[2], ExitQuestion);
}

TEST_F(NewExit, ExitRightAfterGenerateDoesNotAsk) {
    makeDirty();
    platform.messageBoxAnswers = {IDOK};
    platform.saveDialogChoices = {"/w/job"};
    form.mnugen_Click();
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls.back(), "endProgram");
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), ExitQuestion), 0);
}

TEST_F(NewExit, GenerateAfterNewOffersTheEarlierNameAndRewritesIt) {
    makeDirty();
    platform.messageBoxAnswers = {IDYES, IDOK, IDOK};
    platform.saveDialogChoices = {"/w/job", "/w/job"};
    form.mnunew_Click();
    platform.type("echo second");
    form.mnugen_Click();
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "ShowSave /w/job"), 1);
    EXPECT_EQ(platform.files.at("/w/job.bat"), "echo second");
}

// Answering Yes and then cancelling the Save dialog means "keep my text".
TEST_F(NewExit, YesThenCancelledDialogKeepsTheText) {
    makeDirty();
    platform.messageBoxAnswers = {IDYES, IDYES};
    platform.saveDialogChoices = {std::nullopt, std::nullopt};
    form.mnunew_Click();
    form.mnuexit_Click();
    EXPECT_EQ(platform.calls, (Calls{NewQuestion, "ShowSave ", ExitQuestion, "ShowSave "}));
    EXPECT_EQ(platform.text1, "echo hi");
    EXPECT_FALSE(form.Saved);
    EXPECT_FALSE(platform.ended);
    EXPECT_TRUE(platform.files.empty());
}

TEST_F(NewExit, YesThenFailedWriteKeepsTheText) {
    makeDirty();
    platform.messageBoxAnswers = {IDYES};
    platform.saveDialogChoices = {"/w/job"};
    platform.nextWriteFailure = "Disk full";
    EXPECT_THROW(form.mnuexit_Click(), PlatformError);
    EXPECT_FALSE(platform.ended);
    EXPECT_EQ(platform.text1, "echo hi");
    EXPECT_FALSE(form.Saved);
    EXPECT_EQ(platform.calls.back(), "writeBatchFile /w/job.bat");
}

TEST_F(NewExit, ClosingTheWindowAsksLikeExit) {
    platform.calls.clear();
    form.Form1_QueryUnload();
    EXPECT_EQ(platform.calls, Calls{"endProgram"}) << "a clean text closes at once";

    ScriptedPlatform dirty;
    Form1 dirtyForm(dirty);
    dirty.connect(dirtyForm);
    dirtyForm.Form1_Load();
    dirty.type("x");
    dirty.messageBoxAnswers = {IDCANCEL, IDNO};
    dirtyForm.Form1_QueryUnload();
    EXPECT_FALSE(dirty.ended);
    dirtyForm.Form1_QueryUnload();
    EXPECT_TRUE(dirty.ended);
    EXPECT_EQ(std::count(dirty.calls.begin(), dirty.calls.end(), ExitQuestion), 2);
    EXPECT_TRUE(dirty.files.empty());
}

// The session may end only once nothing unsaved would be lost, and the
// program itself does not end: the system ends it.
TEST(SessionEnd, EndsOnlyWhenNothingUnsavedIsLost) {
    struct Row {
        const char* what;
        bool dirty;
        bool mayAsk;
        std::deque<int> answers;
        std::optional<std::string> chosen;
        bool writeFails;
        bool mayEnd;
        Calls calls;
    };
    const Row rows[] = {
        {"clean", false, true, {}, std::nullopt, false, true, {}},
        {"clean, no asking", false, false, {}, std::nullopt, false, true, {}},
        {"unsaved, no asking", true, false, {}, std::nullopt, false, false, {}},
        {"No", true, true, {IDNO}, std::nullopt, false, true, {ExitQuestion}},
        {"Yes, written", true, true, {IDYES, IDOK}, "/w/job", false, true,
         Calls{ExitQuestion} + Generation + Calls{"pumpEvents"}},
        {"Yes, dialog cancelled", true, true, {IDYES}, std::nullopt, false, false, {ExitQuestion, "ShowSave "}},
        {"Yes, write failed", true, true, {IDYES}, "/w/job", true, false,
         {ExitQuestion, "ShowSave ", "FileName", "writeBatchFile /w/job.bat"}},
        {"Cancel", true, true, {IDCANCEL}, std::nullopt, false, false, {ExitQuestion, "Show"}},
    };
    for (const Row& row : rows) {
        ScriptedPlatform platform;
        Form1 form(platform);
        platform.connect(form);
        form.Form1_Load();
        if (row.dirty)
            platform.type("echo hi");
        platform.calls.clear();
        platform.messageBoxAnswers = row.answers;
        platform.saveDialogChoices = {row.chosen};
        if (row.writeFails)
            platform.nextWriteFailure = "Disk full";

        bool mayEnd = false;
        try {
            mayEnd = form.Form1_QueryEndSession(row.mayAsk);
        } catch (const PlatformError&) {
        }
        EXPECT_EQ(mayEnd, row.mayEnd) << row.what;
        EXPECT_EQ(platform.calls, row.calls) << row.what;
        EXPECT_FALSE(platform.ended) << row.what;
        EXPECT_EQ(platform.text1, row.dirty ? "echo hi" : "") << row.what;
    }
}

} // namespace
} // namespace tovrin
