// Connections to another computer and the question whether it answers, over
// the platform's network-connections family.
#pragma once

#include <QString>
#include <cstdint>

// ERROR_INVALID_DEVICE_NAME... the request names nothing that can be connected.
inline constexpr int32_t BadConnectRequest = 1200;

// Connects `remoteName` ("\\NAME", "\\NAME\share") to `localName` (a drive
// "E:", a printer port "LPT1", or "" for none) with the program's own
// credentials. 1200 without any call when the pair is not one of those
// shapes; otherwise the platform's status, 0 connected.
int32_t Net_Connect(const QString &localName, const QString &remoteName);

// Ends the connection (forced: open files on it do not keep it).
int32_t Net_Disconnect(const QString &name);

// Whether the computer answers on the network; "\\" is put before a name
// that lacks it.
bool Is_Online(const QString &computer);
