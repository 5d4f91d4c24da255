// Doubles of the platform families, installed together for one test and
// removed again afterwards. Files go to a private temporary folder.
#pragma once

#include "platform/NetworkManagement.h"
#include "platform/Platform.h"
#include "platform/SecurityLogon.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"

#include <QHash>
#include <QList>
#include <QTemporaryDir>
#include <map>

namespace testing_support {

class FakeSystemInfo : public platform::SystemInfo {
public:
    explicit FakeSystemInfo(const QString &folder) : folder(folder) {}
    QString folder;
    bool versionQuerySucceeds = true;
    platform::OsVersionRecord version{148, 5, 0, 2195, 2, QStringLiteral("Service Pack 4")};
    QString machineName = QStringLiteral("WS-TEST");

    bool queryVersion(platform::OsVersionRecord &record) override;
    bool computerName(QString &name) override;
    QString windowsDirectory() override { return folder + "/"; }
    QString tempDirectory() override { return folder + "/"; }
    QString writableFolder() override { return folder; }
    QString locateDataFile(const QString &fileName) override { return folder + "/" + fileName; }
    QString readProfileString(const QString &section, const QString &key,
                              const QString &defaultValue, const QString &file,
                              int bufferChars) override;
};

class MemorySettingsStore : public platform::SettingsStore {
public:
    std::map<std::pair<QString, QString>, QString> values;
    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
};

class FakeSecurityLogon : public platform::SecurityLogon {
public:
    QString userName = QStringLiteral("operator");
    int32_t userNameResult = 1;
    bool administrator = true;
    int32_t logonStatus = 0; // what logonUser answers
    int32_t startResult = 1; // what startProcessAsUser answers
    QStringList logons;      // "DOMAIN\\user" of each logon asked for
    QStringList started;     // the programs started
    int openTokens = 0;
    int logOffs = 0;
    int32_t currentUserName(QString &name) override;
    bool isAdministrator() override { return administrator; }
    int32_t grantPrivilege(const QString &, const QString &) override { return 0; }
    int32_t logonUser(const QString &user, const QString &domain, const QString &,
                      int32_t &token) override
    {
        logons << domain + u'\\' + user;
        if (logonStatus == 0) {
            token = 7;
            ++openTokens;
        }
        return logonStatus;
    }
    int32_t startProcessAsUser(int32_t, const QString &program) override
    {
        started << program;
        return startResult;
    }
    void closeToken(int32_t) override { --openTokens; }
    int32_t logOff() override
    {
        ++logOffs;
        return 0;
    }
};

struct ShellCall {
    QString file;
    QStringList arguments;
    int show;
};

class RecordingShell : public platform::Shell {
public:
    QList<ShellCall> calls;
    QStringList availableTools;
    intptr_t open(const QString &file, const QStringList &arguments, int show) override;
    bool toolAvailable(const QString &tool) override { return availableTools.contains(tool); }
    intptr_t findWindow(const QString &) override { return 0; }
    bool setTopMost(intptr_t, bool) override { return false; }
    intptr_t closeWindow(intptr_t) override { return -1; }
    QStringList topLevelWindowTitles(bool) override { return {}; }
    bool sendKeys(const QString &) override { return false; }
};

// Answers the identity and domain calls from fields set by the test, and
// counts the calls.
class ScriptedNetworkManagement : public platform::NetworkManagement {
public:
    platform::NetStatus wkstaUserStatus = 0;
    platform::WkstaUserInfo1 wkstaUser{"operator", "SALES", "", "\\\\DC1"};
    platform::NetStatus wkstaStatus = 0;
    platform::WkstaInfo102 wksta{500, "WS-TEST", "SALES", 5, 0, "", 1};
    platform::NetStatus trustStatus = 0;
    std::string trustedDomains = std::string("ENG\0HR\0\0", 8);
    // domain -> controller ("" for not found, status 2453)
    std::map<std::string, std::string> controllers;
    int calls = 0;

    platform::NetStatus NetWkstaUserGetInfo(const std::string &server,
                                            platform::WkstaUserInfo1 &info) override;
    platform::NetStatus NetWkstaGetInfo(const std::string &server,
                                        platform::WkstaInfo102 &info) override;
    platform::NetStatus NetGetDCName(const std::string &server, const std::string &domain,
                                     std::string &dcName) override;
    platform::NetStatus NetEnumerateTrustedDomains(const std::string &server,
                                                   std::string &domainNames) override;
};

// Installs the doubles (and empties the application context) for one test.
class TestPlatform {
public:
    TestPlatform();
    ~TestPlatform();
    QTemporaryDir dir;
    FakeSystemInfo system;
    MemorySettingsStore settings;
    FakeSecurityLogon security;
    RecordingShell shell;
    ScriptedNetworkManagement net;
    QString path(const QString &fileName) const { return dir.path() + "/" + fileName; }

private:
    platform::Families m_previous;
};

} // namespace testing_support
