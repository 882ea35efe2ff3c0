#pragma once

namespace tovrin {

// The events a backend delivers to the main window's handlers, one at a
// time, each through its event dispatch.
class FormEvents {
public:
    virtual ~FormEvents() = default;

    virtual void Form1_Load() = 0;
    virtual void Form1_Resize() = 0;
    // The user closes the window otherwise than through File, Exit. The
    // window stays open unless the handler ends the program.
    virtual void Form1_QueryUnload() = 0;
    virtual void Text1_Change() = 0;
    virtual void mnunew_Click() = 0;
    virtual void mnugen_Click() = 0;
    virtual void mnuexit_Click() = 0;
    // The user's session is ending (log-out, shutdown). Returns whether it
    // may end now; mayAsk tells whether the user may be asked first.
    virtual bool Form1_QueryEndSession(bool mayAsk) = 0;

    // Whether the text holds changes that no batch file has.
    virtual bool hasUnsavedText() const = 0;
};

} // namespace tovrin
