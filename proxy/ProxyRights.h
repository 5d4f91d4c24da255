// Setting this computer up for proxy logons. Linux needs none of the NT user
// rights (acting as another directory account is a matter of credentials),
// so the set-up grants nothing: it checks that the caller administers this
// computer, puts the proxy user into the local Administrators and offers the
// log-off after which, on Windows, new rights take effect.
#pragma once

#include <QString>

// Asks for the log-off when the set-up succeeded; "Missing Parameters" for an
// empty user; "Error configuring proxy rights." when it failed. True on success.
bool Configure_ProxyRights(QString &domain, QString &user);
// The grant itself, with its pauses scaled by delayFactor: False when the
// caller is no administrator of this computer.
bool Grant_ProxyRights(double delayFactor);
bool Is_LocalAdmin();
// A normal (never forced) log-off request; its status goes to LastNetStatus.
void Logoff_User();
bool Enable_Privilege(const QString &name);
