#pragma once

#include <QObject>
#include <QString>

namespace tovrin {

// Asks the desktop, through its portal on the session bus, not to end the
// session while the text holds unsaved changes: desktops that end programs
// without asking them first honour it. Where there is no portal, nothing
// happens; nothing here ever waits for the bus.
class LogoutInhibitor : public QObject {
    Q_OBJECT

public:
    ~LogoutInhibitor() override;

    void setInhibited(bool inhibited);

private:
    void inhibit();
    void release();

    bool wanted_ = false;
    bool asked_ = false;       // a request is out or granted
    QString requestPath_;      // the portal's handle of a granted request
};

} // namespace tovrin
