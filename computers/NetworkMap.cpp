#include "NetworkMap.h"

#include "platform/NetworkConnections.h"
#include "platform/Platform.h"

#include <QRegularExpression>

namespace {

bool matches(const QString &pattern, const QString &text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

bool isDrive(const QString &local) { return matches(QStringLiteral("[d-zD-Z]:"), local); }
bool isPrinterPort(const QString &local) { return matches(QStringLiteral("LPT[1-3]"), local); }
bool isRemote(const QString &remote) { return matches(QStringLiteral(R"(\\\\.*)"), remote); }
bool isIpcShare(const QString &remote)
{
    return matches(QStringLiteral(R"(\\\\.*\\IPC\$)"), remote);
}

} // namespace

int32_t Net_Connect(const QString &localName, const QString &remoteName)
{
    const bool localOk = localName.isEmpty() || isDrive(localName) || isPrinterPort(localName);
    if (!(isRemote(remoteName) && localOk) && !isIpcShare(remoteName))
        return BadConnectRequest;
    return platform::connections().connect(remoteName, localName);
}

int32_t Net_Disconnect(const QString &name) { return platform::connections().disconnect(name); }

bool Is_Online(const QString &computer)
{
    const QString remote =
        computer.startsWith(QStringLiteral("\\\\")) ? computer : QStringLiteral("\\\\") + computer;
    return platform::connections().resourceAnswers(remote);
}
