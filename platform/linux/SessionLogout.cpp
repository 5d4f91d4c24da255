#include "SessionLogout.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace platform {

namespace {

constexpr int32_t ERROR_NOT_SUPPORTED = 50;
constexpr int CallTimeoutMs = 5000;

class DBusSessionBus : public SessionBus {
public:
    bool call(const LogoutRequest &request) override
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface()
            || !bus.interface()->isServiceRegistered(request.service).value())
            return false;
        QDBusMessage message = QDBusMessage::createMethodCall(request.service, request.path,
                                                              request.interface, request.method);
        message.setArguments(request.arguments);
        const QDBusMessage reply = bus.call(message, QDBus::Block, CallTimeoutMs);
        return reply.type() == QDBusMessage::ReplyMessage;
    }
};

} // namespace

QList<LogoutRequest> logoutRequests()
{
    return {
        // GNOME (and Cinnamon, Budgie): mode 0 is the normal log-out with its dialog.
        {QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
         QStringLiteral("org.gnome.SessionManager"), QStringLiteral("Logout"), {0u}},
        {QStringLiteral("org.mate.SessionManager"), QStringLiteral("/org/mate/SessionManager"),
         QStringLiteral("org.mate.SessionManager"), QStringLiteral("Logout"), {0u}},
        // KDE Plasma: the log-out prompt, as the menu's "Log Out" shows it.
        {QStringLiteral("org.kde.LogoutPrompt"), QStringLiteral("/LogoutPrompt"),
         QStringLiteral("org.kde.LogoutPrompt"), QStringLiteral("promptLogout"), {}},
        // Xfce: show the dialog, let the session be saved.
        {QStringLiteral("org.xfce.SessionManager"), QStringLiteral("/org/xfce/SessionManager"),
         QStringLiteral("org.xfce.Session.Manager"), QStringLiteral("Logout"), {true, true}},
        {QStringLiteral("org.lxqt.session"), QStringLiteral("/LXQtSession"),
         QStringLiteral("org.lxqt.session"), QStringLiteral("logout"), {}},
    };
}

SessionBus &dbusSessionBus()
{
    static DBusSessionBus bus;
    return bus;
}

int32_t requestLogout(SessionBus &bus)
{
    for (const LogoutRequest &request : logoutRequests()) {
        if (bus.call(request))
            return 0;
    }
    return ERROR_NOT_SUPPORTED;
}

} // namespace platform
