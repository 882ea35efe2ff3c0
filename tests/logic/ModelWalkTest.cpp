#include "editor/Form1.h"
#include "platform/PlatformError.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;

// What the editor should do, written down as plainly as possible: the state
// table of New and Exit, with Yes counting only when the file was written.
struct ReferenceEditor {
    std::string text;
    bool saved = true;
    bool ended = false;
    std::string fileName;
    std::map<std::string, std::string> files;

    bool generate(const std::optional<std::string>& choice, bool writeFails) {
        if (!choice)
            return false;
        fileName = *choice;
        if (writeFails)
            return false;
        files[fileName + ".bat"] = text;
        saved = true;
        return true;
    }

    void newText(int answer, const std::optional<std::string>& choice, bool writeFails) {
        if (!saved && (answer == IDCANCEL || (answer == IDYES && !generate(choice, writeFails))))
            return;
        text.clear();
        saved = true;
    }

    void exit(int answer, const std::optional<std::string>& choice, bool writeFails) {
        if (!saved && (answer == IDCANCEL || (answer == IDYES && !generate(choice, writeFails))))
            return;
        ended = true;
    }
};

enum class Step { Type, Backspace, New, Generate, Exit, Close, Resize };

// One run of the program after another, until the walk has taken its steps.
struct ProgramRun {
    ScriptedPlatform platform;
    Form1 form{platform};
    ReferenceEditor reference;

    ProgramRun() {
        platform.connect(form);
        form.Form1_Load();
    }
};

TEST(ModelWalk, EditorFollowsTheReferenceAndNeverDropsUnsavedText) {
    int programEnds = 0;
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
        auto run = std::make_unique<ProgramRun>();

        for (int i = 0; i < 3000; ++i) {
            if (run->reference.ended) {
                ++programEnds;
                run = std::make_unique<ProgramRun>();
            }
            ScriptedPlatform& platform = run->platform;
            Form1& form = run->form;
            ReferenceEditor& reference = run->reference;

            // Typing is the commonest thing a user does.
            const auto step = chance(50) ? Step::Type : static_cast<Step>(random() % 7);
            const int answer = std::array{IDYES, IDNO, IDCANCEL}[random() % 3];
            const std::optional<std::string> choice =
                chance(25) ? std::nullopt : std::optional<std::string>("/w/f" + std::to_string(random() % 3));
            const bool writeFails = chance(20);
            platform.messageBoxAnswers = {answer, IDOK};
            platform.saveDialogChoices = {choice};
            platform.nextWriteFailure = writeFails ? std::optional<std::string>("Disk full") : std::nullopt;
            const std::string textBefore = platform.text1;
            const bool dirtyBefore = !form.Saved;

            try {
                switch (step) {
                case Step::Type: {
                    // A key, Enter among them.
                    static const std::string keys[] = {"a", "b", "\r\n", "@", "%"};
                    const std::string& typed = keys[random() % 5];
                    platform.type(typed);
                    reference.text += typed;
                    reference.saved = false;
                    break;
                }
                case Step::Backspace:
                    if (!platform.text1.empty()) {
                        platform.backspace();
                        reference.text = platform.text1;
                        reference.saved = false;
                    }
                    break;
                case Step::New:
                    reference.newText(answer, choice, writeFails);
                    form.mnunew_Click();
                    break;
                case Step::Generate:
                    reference.generate(choice, writeFails);
                    form.mnugen_Click();
                    break;
                case Step::Exit:
                    reference.exit(answer, choice, writeFails);
                    form.mnuexit_Click();
                    break;
                case Step::Close:
                    reference.exit(answer, choice, writeFails);
                    form.Form1_QueryUnload();
                    break;
                case Step::Resize:
                    platform.outerWidth = static_cast<float>(random() % 20000);
                    platform.outerHeight = static_cast<float>(random() % 20000);
                    form.Form1_Resize();
                    break;
                }
            } catch (const PlatformError&) {
                // The backend's dispatch would tell the user; the walk goes on.
            }

            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(i));
            ASSERT_EQ(platform.text1, reference.text);
            ASSERT_EQ(form.Saved, reference.saved);
            ASSERT_EQ(platform.ended, reference.ended);
            ASSERT_EQ(platform.files, reference.files);
            ASSERT_FALSE(platform.calledAfterEnd);

            const bool textGone = platform.ended || platform.text1 != textBefore;
            const bool userTyped = step == Step::Type || step == Step::Backspace;
            if (dirtyBefore && textGone && !userTyped) {
                const auto written = platform.files.find(platform.FileName() + ".bat");
                const bool kept = written != platform.files.end() && written->second == textBefore;
                ASSERT_TRUE(answer == IDNO || kept) << "unsaved text dropped";
            }
        }
    }
    EXPECT_GT(programEnds, 30) << "the walk must reach the end of the program often";
}

} // namespace
} // namespace tovrin
