// Logging the proxy account on and starting a copy of the program as it.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

// If token is 0, logs the account on (batch logon) and keeps the token there;
// with a token, starts `program` as that account, closes the token and
// returns the start's result: non-zero when the copy started, 0 when no
// token could be had or the start failed. The logon's own status is kept in
// LastNetStatus. The password goes to the platform and nowhere else.
int32_t Logon_Proxy(QString &user, QString &domain, QString &password, const QString &program,
                    int32_t &token);

// The program's own executable: the program folder and its base name.
QString ProxyProgram();

// Ends this copy once the copy under the proxy account runs; tests replace it.
void End_Program();
void SetEndProgram(std::function<void()> end);
