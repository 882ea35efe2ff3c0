#pragma once

#include "window/DesignSettings.h"

#include <string>
#include <string_view>

namespace tovrin {

// Every box the editor shows is titled with the program's name.
inline const std::string MessageTitle(ProgramName);
inline const std::string ExitPrompt = "Generate .Bat file before exiting?";
inline const std::string NewPrompt = "Generate .Bat file before clearing the text?";

// Why the program holds up the end of the user's session.
inline constexpr std::string_view UnsavedChangesReason = "The batch file has unsaved changes.";

// The confirmation after a batch file was written. "Succesfully" is spelt
// the way users of the program have always seen it.
inline std::string savedConfirmation(const std::string& path) {
    return "File : " + path + "\r\n" + "Saved Succesfully";
}

// What the user is told when the program cannot even start.
inline std::string startFailure(const std::string& reason) {
    return std::string(ProgramName) + " could not start: " + reason;
}

} // namespace tovrin
