#pragma once

#include "bench/ScriptedQtPlatform.h"
#include "editor/Form1.h"

#include <QPlainTextEdit>
#include <string>

namespace tovrin::bench {

// The editor as the program starts it, on the offscreen platform, with its
// window shown.
class BenchEditor {
public:
    BenchEditor();

    // Puts text in Text1 through the editor's own text write; the text is
    // dirty afterwards, as if typed.
    void setDirtyText(const std::string& text);
    // Handles everything waiting, repaints included.
    static void settle();

    QPlainTextEdit& text1() { return *platform.window().text1(); }

    ScriptedQtPlatform platform;
    Form1 form{platform};
};

} // namespace tovrin::bench
