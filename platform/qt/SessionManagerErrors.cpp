#include "platform/qt/SessionManagerErrors.h"

#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <cstdio>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tovrin {

namespace {

// Closes the connection's socket. Qt still holds the connection and watches
// its descriptor, so the descriptor's number is kept, on something that
// never has anything to read: Qt neither spins on a dead socket nor reads
// another file that would take the number, and frees the connection itself.
void closeSocket(IceConn connection) {
    const int socket = IceConnectionNumber(connection);
    const int silent = ::eventfd(0, EFD_CLOEXEC);
    if (socket < 0 || silent < 0)
        return;
    ::dup3(silent, socket, O_CLOEXEC);
    ::close(silent);
}

void onBrokenConnection(IceConn connection) {
    std::fputs("The connection to the session manager broke; the program goes on without it.\n", stderr);
    closeSocket(connection);
}

void onIceError(IceConn connection, Bool, int, unsigned long, int errorClass, int severity, IcePointer) {
    std::fprintf(stderr, "The session manager's connection reported error %d.\n", errorClass);
    if (severity != IceCanContinue)
        closeSocket(connection);
}

void onSessionError(SmcConn connection, Bool, int, unsigned long, int errorClass, int severity, SmPointer) {
    std::fprintf(stderr, "The session manager reported error %d.\n", errorClass);
    if (severity != IceCanContinue)
        closeSocket(SmcGetIceConnection(connection));
}

} // namespace

void outliveSessionManager() {
    IceSetIOErrorHandler(onBrokenConnection);
    IceSetErrorHandler(onIceError);
    SmcSetErrorHandler(onSessionError);
}

} // namespace tovrin
