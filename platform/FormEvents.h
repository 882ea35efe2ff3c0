#pragma once

namespace tovrin {

// The events a backend delivers to the main window's handlers, one at a
// time, each through its event delivery.
class FormEvents {
public:
    virtual ~FormEvents() = default;

    virtual void Form1_Load() = 0;
    virtual void Form1_Resize() = 0;
    virtual void Text1_Change() = 0;
    virtual void mnunew_Click() = 0;
    virtual void mnugen_Click() = 0;
    virtual void mnuexit_Click() = 0;

    // Requests to end the program, which stays unless the handler ends it.
    // Each returns false when it cannot be taken now, because a dialog or
    // message box of the program is open: the delivery then hands it over
    // again once the event being handled is done.
    //
    // The user closes the window otherwise than through File, Exit.
    virtual bool Form1_QueryUnload() = 0;
    // Someone outside the window asks the program to end: kill, Ctrl+C in
    // the terminal that started it, that terminal closed.
    virtual bool Form1_EndRequested() = 0;

    // The user's session is ending (log-out, shutdown); mayAsk tells whether
    // the user may be asked first. The answer is mayEndSession().
    virtual void Form1_QueryEndSession(bool mayAsk) = 0;

    // Whether the text holds changes that no batch file has.
    virtual bool hasUnsavedText() const = 0;
    // Whether the session may end now without losing text the user wants.
    virtual bool mayEndSession() const = 0;
};

} // namespace tovrin
