#pragma once

#include "platform/MessageBoxStyle.h"
#include "platform/SaveDialogSettings.h"

#include <string>

namespace tovrin {

// Everything the editor asks of the system it runs on: the window and its
// text box, message boxes, the event pump, program end, the Save dialog and
// the file writer. Text crosses this boundary as UTF-8; lengths on the
// window are in twips.
//
// Any operation may fail by throwing PlatformError. The editor never catches
// it: it ends at the backend's event dispatch, which tells the user.
class Platform {
public:
    virtual ~Platform() = default;

    // Form1: its outer size, frame, caption bar and menu bar included.
    virtual float Width() = 0;
    virtual float Height() = 0;
    // Shows the window without making it modal; a shown window stays shown.
    virtual void Show() = 0;

    // Text1: places and sizes the text box in one call.
    virtual void Move(float left, float top, float width, float height) = 0;
    // Replaces the whole content; Text1 Change has run when this returns.
    virtual void SetText(const std::string& text) = 0;

    // Modal; returns the button pressed (IDYES, IDNO, IDCANCEL or IDOK).
    virtual int messageBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Handles the window events already waiting, then returns.
    virtual void pumpEvents() = 0;
    // Ends the program at once: no further events reach the editor.
    virtual void endProgram() = 0;

    // COD: shows the Save dialog modally. Returns false when the user
    // cancelled it; FileName then keeps its previous value.
    virtual bool ShowSave(const SaveDialogSettings& settings) = 0;
    // The full path last chosen, without any extension added by the dialog.
    virtual std::string FileName() = 0;

    // Writes Text1's whole content as the complete new content of the file
    // at path, each character one byte of the 8-bit code page and every line
    // break CR LF. The file is complete and closed when this returns; on
    // failure, an existing file is left as it was.
    virtual void writeBatchFile(const std::string& path) = 0;
};

} // namespace tovrin
