#include "editor/Form1.h"
#include "editor/Messages.h"
#include "tests/support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace tovrin {
namespace {

using testing::ScriptedPlatform;
using Calls = std::vector<std::string>;

const std::string NewQuestion = "messageBox " + NewPrompt + " | 3 | Tovrin";
const std::string ExitQuestion = "messageBox " + ExitPrompt + " | 3 | Tovrin";
const std::string Confirmation = "messageBox File : /w/job.bat\r\nSaved Succesfully | 0 | Tovrin";
const std::string Failure = "messageBox Could not write \"/w/job.bat\": Disk full | 16 | Tovrin";
const Calls Generation{"ShowSave ", "FileName", "writeBatchFile /w/job.bat", Confirmation};
const std::optional<std::string> Chosen = "/w/job";

Calls operator+(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// What the user, the desktop or someone outside does. Every action goes
// through the event delivery, as from a backend.
enum class Act { New, Generate, Exit, Close, Request, SessionEnd, SessionEndNoAsking, Type };
// When the row's meanwhile action happens: while the first message box,
// the first Save dialog, or the event pump after Yes is running.
enum class Moment { Never, Question, SaveDialog, Pump };

struct Row {
    const char* what;
    bool dirty = true;  // "echo hi" typed
    std::vector<Act> acts;
    std::deque<int> answers = {};
    std::deque<std::optional<std::string>> choices = {};
    bool writeFails = false;
    Moment moment = Moment::Never;
    Act meanwhile = Act::Type;
    Calls calls;
    bool ended = false;
    std::string text = "echo hi";
    std::optional<bool> sessionMayEnd = std::nullopt;  // the last session end's answer
};

// How the program ends and what New and Exit do, whoever asks: each rule a row.
TEST(NewExitAndEnd, EveryRoadFollowsItsRow) {
    const Row rows[] = {
        // New and Exit.
        {.what = "clean New", .dirty = false, .acts = {Act::New}, .calls = {"SetText "}, .text = ""},
        {.what = "New, Yes", .acts = {Act::New}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .calls = Calls{NewQuestion} + Generation + Calls{"pumpEvents", "SetText "}, .text = ""},
        {.what = "New, No", .acts = {Act::New}, .answers = {IDNO}, .calls = {NewQuestion, "SetText "}, .text = ""},
        {.what = "New, Cancel", .acts = {Act::New}, .answers = {IDCANCEL}, .calls = {NewQuestion, "Show"}},
        {.what = "New, Yes, dialog cancelled", .acts = {Act::New}, .answers = {IDYES}, .choices = {std::nullopt},
         .calls = {NewQuestion, "ShowSave "}},
        {.what = "clean Exit", .dirty = false, .acts = {Act::Exit}, .calls = {"endProgram"}, .ended = true, .text = ""},
        {.what = "Exit, Yes", .acts = {Act::Exit}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .calls = Calls{ExitQuestion} + Generation + Calls{"pumpEvents", "endProgram"}, .ended = true},
        {.what = "Exit, No", .acts = {Act::Exit}, .answers = {IDNO}, .calls = {ExitQuestion, "endProgram"}, .ended = true},
        {.what = "Exit, Cancel, and the next Exit asks", .acts = {Act::Exit, Act::Exit}, .answers = {IDCANCEL, IDCANCEL},
         .calls = {ExitQuestion, "Show", ExitQuestion, "Show"}},
        {.what = "Exit, Yes, write failed", .acts = {Act::Exit}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .writeFails = true, .calls = {ExitQuestion, "ShowSave ", "FileName", "writeBatchFile /w/job.bat", Failure}},
        {.what = "Exit, Yes, a key during the pump", .acts = {Act::Exit}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .moment = Moment::Pump, .calls = Calls{ExitQuestion} + Generation + Calls{"pumpEvents"}, .text = "echo hi!"},
        {.what = "Exit right after Generate", .acts = {Act::Generate, Act::Exit}, .answers = {IDOK}, .choices = {Chosen},
         .calls = Generation + Calls{"endProgram"}, .ended = true},

        // The close button and requests from outside ask what Exit asks.
        {.what = "clean close", .dirty = false, .acts = {Act::Close}, .calls = {"endProgram"}, .ended = true, .text = ""},
        {.what = "close, No", .acts = {Act::Close}, .answers = {IDNO}, .calls = {ExitQuestion, "endProgram"}, .ended = true},
        {.what = "request, Cancel", .acts = {Act::Request}, .answers = {IDCANCEL}, .calls = {ExitQuestion, "Show"}},
        {.what = "request, Yes", .acts = {Act::Request}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .calls = Calls{ExitQuestion} + Generation + Calls{"pumpEvents", "endProgram"}, .ended = true},
        {.what = "a second request while its question is shown ends", .acts = {Act::Request}, .answers = {IDCANCEL},
         .moment = Moment::Question, .meanwhile = Act::Request, .calls = {ExitQuestion, "endProgram"}, .ended = true},

        // One event at a time: a request waits for the open dialog, then is asked once.
        {.what = "request during Generate's Save dialog", .acts = {Act::Generate}, .answers = {IDCANCEL},
         .choices = {std::nullopt}, .moment = Moment::SaveDialog, .meanwhile = Act::Request,
         .calls = {"ShowSave ", ExitQuestion, "Show"}},
        {.what = "request during New's question", .acts = {Act::New}, .answers = {IDCANCEL, IDNO},
         .moment = Moment::Question, .meanwhile = Act::Request,
         .calls = {NewQuestion, "Show", ExitQuestion, "endProgram"}, .ended = true},
        {.what = "close during a request's question", .acts = {Act::Request}, .answers = {IDCANCEL, IDCANCEL},
         .moment = Moment::Question, .meanwhile = Act::Close, .calls = {ExitQuestion, "Show", ExitQuestion, "Show"}},
        {.what = "request during the Save dialog after Yes", .acts = {Act::Request}, .answers = {IDYES, IDCANCEL},
         .choices = {std::nullopt}, .moment = Moment::SaveDialog, .meanwhile = Act::Request,
         .calls = {ExitQuestion, "ShowSave ", ExitQuestion, "Show"}},
        {.what = "request during a failure's message", .acts = {Act::Generate}, .answers = {IDOK, IDCANCEL},
         .choices = {Chosen}, .writeFails = true, .moment = Moment::Question, .meanwhile = Act::Request,
         .calls = {"ShowSave ", "FileName", "writeBatchFile /w/job.bat", Failure, ExitQuestion, "Show"}},

        // The session may end only once nothing unsaved would be lost; the
        // system, not the editor, then ends the program.
        {.what = "session, clean", .dirty = false, .acts = {Act::SessionEnd}, .calls = {}, .text = "",
         .sessionMayEnd = true},
        {.what = "session, clean, no asking", .dirty = false, .acts = {Act::SessionEndNoAsking}, .calls = {},
         .text = "", .sessionMayEnd = true},
        {.what = "session, unsaved, no asking", .acts = {Act::SessionEndNoAsking}, .calls = {}, .sessionMayEnd = false},
        {.what = "session, No", .acts = {Act::SessionEnd}, .answers = {IDNO}, .calls = {ExitQuestion},
         .sessionMayEnd = true},
        {.what = "session, Yes", .acts = {Act::SessionEnd}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .calls = Calls{ExitQuestion} + Generation + Calls{"pumpEvents"}, .sessionMayEnd = true},
        {.what = "session, Yes, dialog cancelled", .acts = {Act::SessionEnd}, .answers = {IDYES},
         .choices = {std::nullopt}, .calls = {ExitQuestion, "ShowSave "}, .sessionMayEnd = false},
        {.what = "session, Yes, write failed", .acts = {Act::SessionEnd}, .answers = {IDYES, IDOK}, .choices = {Chosen},
         .writeFails = true, .calls = {ExitQuestion, "ShowSave ", "FileName", "writeBatchFile /w/job.bat", Failure},
         .sessionMayEnd = false},
        {.what = "session, Cancel", .acts = {Act::SessionEnd}, .answers = {IDCANCEL}, .calls = {ExitQuestion, "Show"},
         .sessionMayEnd = false},
        {.what = "session, No, then its close asks nothing", .acts = {Act::SessionEnd, Act::Close}, .answers = {IDNO},
         .calls = {ExitQuestion, "endProgram"}, .ended = true, .sessionMayEnd = true},
        {.what = "session, No, then a request asks nothing", .acts = {Act::SessionEnd, Act::Request},
         .answers = {IDNO}, .calls = {ExitQuestion, "endProgram"}, .ended = true, .sessionMayEnd = true},
        {.what = "session, No, a key, then the close asks", .acts = {Act::SessionEnd, Act::Type, Act::Close},
         .answers = {IDNO, IDCANCEL}, .calls = {ExitQuestion, ExitQuestion, "Show"}, .text = "echo hi!",
         .sessionMayEnd = true},
        {.what = "request during the session's question", .acts = {Act::SessionEnd}, .answers = {IDCANCEL, IDCANCEL},
         .moment = Moment::Question, .meanwhile = Act::Request, .calls = {ExitQuestion, "Show", ExitQuestion, "Show"},
         .sessionMayEnd = false},
        {.what = "session during the Save dialog: refused, no question over it", .acts = {Act::Generate},
         .choices = {std::nullopt}, .moment = Moment::SaveDialog, .meanwhile = Act::SessionEnd,
         .calls = {"ShowSave "}, .sessionMayEnd = false},
        {.what = "session during a failure's message: refused, no question over it", .acts = {Act::Generate},
         .answers = {IDOK}, .choices = {Chosen}, .writeFails = true, .moment = Moment::Question,
         .meanwhile = Act::SessionEnd, .calls = {"ShowSave ", "FileName", "writeBatchFile /w/job.bat", Failure},
         .sessionMayEnd = false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedPlatform platform;
        Form1 form(platform);
        platform.connect(form);
        form.Form1_Load();
        if (row.dirty)
            platform.type("echo hi");
        platform.calls.clear();
        platform.messageBoxAnswers = row.answers;
        platform.saveDialogChoices = row.choices;
        if (row.writeFails)
            platform.nextWriteFailure = "Disk full";

        std::optional<bool> sessionMayEnd;
        const auto act = [&](Act what) {
            switch (what) {
            case Act::New: return platform.delivery(&FormEvents::mnunew_Click);
            case Act::Generate: return platform.delivery(&FormEvents::mnugen_Click);
            case Act::Exit: return platform.delivery(&FormEvents::mnuexit_Click);
            case Act::Close: return platform.delivery.requestEnd(&FormEvents::Form1_QueryUnload);
            case Act::Request: return platform.delivery.requestEnd(&FormEvents::Form1_EndRequested);
            case Act::SessionEnd:
            case Act::SessionEndNoAsking:
                sessionMayEnd = platform.delivery.endSession(what == Act::SessionEnd);
                return;
            case Act::Type: return platform.type("!");
            }
        };
        bool happened = false;
        const auto once = [&] {
            if (!std::exchange(happened, true))
                act(row.meanwhile);
        };
        switch (row.moment) {
        case Moment::Question: platform.whileMessageBoxOpen = once; break;
        case Moment::SaveDialog: platform.whileSaveDialogOpen = once; break;
        case Moment::Pump: platform.whilePumping = once; break;
        case Moment::Never: break;
        }

        for (Act what : row.acts)
            act(what);

        EXPECT_EQ(platform.calls, row.calls);
        EXPECT_EQ(platform.ended, row.ended);
        EXPECT_FALSE(platform.calledAfterEnd);
        EXPECT_FALSE(platform.modalOverModal);
        EXPECT_EQ(platform.text1, row.text);
        EXPECT_EQ(sessionMayEnd, row.sessionMayEnd);
        EXPECT_TRUE(platform.messageBoxAnswers.empty()) << "a question that was scripted never came";
        const bool written = std::ranges::find(platform.calls, Confirmation) != platform.calls.end();
        using Files = std::map<std::string, std::string>;
        const Files expectedFiles = written ? Files{{"/w/job.bat", "echo hi"}} : Files{};
        EXPECT_EQ(platform.files, expectedFiles);
    }
}

} // namespace
} // namespace tovrin
