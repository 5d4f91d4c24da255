// Which server the user windows address for one run of a handler: the domain
// field's text as typed, a computer, or the domain's primary controller.
#pragma once

#include <QString>

// What the panel says when a domain's controller cannot be found.
inline const QString NoConnectionText = QStringLiteral("Network connection error.");
inline const QString NoControllerText =
    QStringLiteral("The domain specified does not exist, or the domain controllers are down.");

// `domain` is the trimmed domain field. "\\My Computer" is this machine (the
// empty server), "\\NAME" that computer as typed, anything else a domain whose
// primary controller is looked up. False when that controller cannot be found.
bool Find_RunServer(const QString &domain, QString &server);
