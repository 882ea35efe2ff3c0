#pragma once

namespace tovrin {

// From now on, losing the session manager (it crashed or was killed, or
// broke its protocol) no longer ends the program: libICE's and libSM's own
// handlers would end it at once, unsaved text and all. The program goes on
// without a session manager instead.
void outliveSessionManager();

} // namespace tovrin
