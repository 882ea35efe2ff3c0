#include "platform/qt/LogoutInhibitor.h"

#include "editor/Messages.h"
#include "platform/qt/QtText.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace tovrin {

namespace {

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
constexpr uint InhibitLogout = 1;

} // namespace

LogoutInhibitor::~LogoutInhibitor() {
    release();
}

void LogoutInhibitor::setInhibited(bool inhibited) {
    if (inhibited == wanted_)
        return;
    wanted_ = inhibited;
    if (inhibited)
        inhibit();
    else
        release();
}

void LogoutInhibitor::inhibit() {
    if (asked_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(Portal, PortalPath, QStringLiteral("org.freedesktop.portal.Inhibit"),
                                       QStringLiteral("Inhibit"));
    call << QString() << InhibitLogout
         << QVariantMap{{QStringLiteral("reason"), toQString(UnsavedChangesReason)}};
    asked_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *finished;
        if (reply.isError()) {
            asked_ = false;
            return;
        }
        requestPath_ = reply.value().path();
        // The text became clean while the portal was answering.
        if (!wanted_)
            release();
    });
}

void LogoutInhibitor::release() {
    if (requestPath_.isEmpty())
        return;
    QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        Portal, requestPath_, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close")));
    requestPath_.clear();
    asked_ = false;
}

} // namespace tovrin
