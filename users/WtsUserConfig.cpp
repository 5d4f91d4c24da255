// Reading and writing the settings of the Terminal Server window, one
// configuration class at a time (directory/UserConfig.h), and the ordinary
// home directory through the account read and write.
#include "UserItems.h"
#include "WtsUserWindow.h"

#include "app/Seams.h"
#include "directory/AccountRead.h"
#include "directory/AccountWrite.h"
#include "directory/DirectoryResult.h"
#include "directory/UserConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

namespace {

// WTS_CONFIG_CLASS values.
enum ConfigClass {
    InitialProgram = 0,
    WorkingDirectory = 1,
    InheritInitialProgram = 2,
    AllowLogon = 3,
    ConnectionTimeout = 4,
    DisconnectionTimeout = 5,
    IdleTimeout = 6,
    ClientDrives = 7,
    ClientPrinters = 8,
    DefaultPrinter = 9,
    BrokenConnection = 10,
    Reconnect = 11,
    Callback = 12,
    CallbackNumber = 13,
    Shadowing = 14,
    ProfilePath = 15,
    HomeDir = 16,
    HomeDirDrive = 17,
    RemoteHomeDir = 18,
};

const QChar Nul(u'\0');

// Milliseconds as minutes, written as a decimal number (90000: "1.5").
QString minutesText(const QString &milliseconds)
{
    return QString::number(milliseconds.toDouble() / 1000 / 60, 'g', 15);
}

// Whole minutes (the nearest, halves to the even one) as milliseconds.
QString millisecondsText(const QString &minutes)
{
    const double whole = std::nearbyint(QLocale::c().toDouble(minutes.trimmed()));
    return QString::number(qint64(whole) * 60 * 1000);
}

QString checkValue(const QCheckBox *box) { return box->isChecked() ? "1" : "0"; }

} // namespace

void frmWTSUser::Read_UserConfig()
{
    QString value;
    auto read = [&](int configClass) {
        value.clear();
        const bool ok = Query_UserConfig(TargetServer, TargetUser, configClass, value) == 0;
        seams::doEvents();
        return ok;
    };
    auto readCheck = [&](int configClass, QCheckBox *box) {
        if (read(configClass))
            box->setChecked(value.toInt() != 0);
    };
    auto readText = [&](int configClass, QLineEdit *text) {
        if (read(configClass))
            text->setText(value);
    };
    readCheck(AllowLogon, CHECK_Logon);
    readTimeout(ConnectionTimeout, TEXT_Con, CHECK_Con);
    readTimeout(DisconnectionTimeout, TEXT_DisCon, CHECK_DisCon);
    readTimeout(IdleTimeout, TEXT_Idle, CHECK_Idle);
    readCheck(ClientDrives, CHECK_ConDrives);
    readCheck(ClientPrinters, CHECK_ConPrinters);
    readCheck(DefaultPrinter, CHECK_MainPrinter);
    readCheck(InheritInitialProgram, CHECK_Inherent);
    readText(InitialProgram, TEXT_CommandLine);
    readText(WorkingDirectory, TEXT_WorkDir);
    readHomeDirectory();
    readWinFramePath();
    readListIndex(BrokenConnection, COMBO_Broken);
    readListIndex(Reconnect, COMBO_Reconnect);
    readListIndex(Callback, COMBO_Callback);
    readText(CallbackNumber, TEXT_Callback);
    readListIndex(Shadowing, COMBO_Shadowing);
    readText(ProfilePath, TEXT_ProfilePath);
    BUTTON_Apply->setEnabled(true);
}

void frmWTSUser::readTimeout(int configClass, QLineEdit *text, QCheckBox *noTimeout)
{
    QString value;
    const bool ok = Query_UserConfig(TargetServer, TargetUser, configClass, value) == 0;
    seams::doEvents();
    if (!ok)
        return;
    if (value == "0")
        noTimeout->setChecked(true);
    else
        text->setText(minutesText(value));
}

void frmWTSUser::readHomeDirectory()
{
    QString home, remote = QStringLiteral("0"), drive;
    Query_UserConfig(TargetServer, TargetUser, HomeDir, home);
    seams::doEvents();
    if (!home.isEmpty())
        Query_UserConfig(TargetServer, TargetUser, RemoteHomeDir, remote);
    if (remote != "0") {
        OPTION_Connect->setChecked(true);
        TEXT_Path->setText(home);
        if (Query_UserConfig(TargetServer, TargetUser, HomeDirDrive, drive) == 0) {
            const int entry = COMBO_Drive->findText(drive.trimmed(), Qt::MatchFixedString);
            if (entry >= 0)
                COMBO_Drive->setCurrentIndex(entry);
        }
    } else {
        OPTION_Local->setChecked(true);
        TEXT_LocalPath->setText(home);
    }
}

void frmWTSUser::readWinFramePath()
{
    QString name = TargetUser;
    QVariantList items;
    bool cannotChange = false, neverExpires = false, disabled = false, lockedOut = false;
    if (Get_AccountInfo(name, TargetServer, account_kind::User, items, false, cannotChange,
                        neverExpires, disabled, lockedOut) == 0)
        TEXT_WinFramePath->setText(user_item::text(items, user_item::HomeDir));
}

void frmWTSUser::readListIndex(int configClass, QComboBox *list)
{
    QString value;
    const bool ok = Query_UserConfig(TargetServer, TargetUser, configClass, value) == 0;
    seams::doEvents();
    if (!ok)
        return;
    const int index = value.toInt();
    if (index >= 0 && index < list->count())
        list->setCurrentIndex(index);
    else
        m_unlisted.insert(configClass);
}

int32_t frmWTSUser::writeSetting(int configClass, const QString &value)
{
    const int32_t status = Set_UserConfig(TargetServer, TargetUser, configClass, value);
    seams::doEvents();
    return status;
}

int32_t frmWTSUser::writeHomeDirectory()
{
    const bool local = OPTION_Local->isChecked();
    const QString home = local ? TEXT_LocalPath->text() : TEXT_Path->text();
    const QString drive = local ? QString() : COMBO_Drive->currentText();
    if (const int32_t status = writeSetting(HomeDir, home + Nul))
        return status;
    return writeSetting(HomeDirDrive, drive + Nul);
}

int32_t frmWTSUser::writeListIndex(int configClass, QComboBox *list)
{
    if (m_unlisted.count(configClass))
        return 0;
    return writeSetting(configClass, QString::number(list->currentIndex()));
}

int32_t frmWTSUser::Write_UserConfig()
{
    const std::array<std::tuple<int, int, QLineEdit *, QCheckBox *>, 3> timeouts{
        {{1, ConnectionTimeout, TEXT_Con, CHECK_Con},
         {2, DisconnectionTimeout, TEXT_DisCon, CHECK_DisCon},
         {3, IdleTimeout, TEXT_Idle, CHECK_Idle}}};
    const std::array<std::tuple<int, int, QCheckBox *>, 4> checks{
        {{4, ClientDrives, CHECK_ConDrives},
         {5, ClientPrinters, CHECK_ConPrinters},
         {6, DefaultPrinter, CHECK_MainPrinter},
         {7, InheritInitialProgram, CHECK_Inherent}}};
    int32_t status = 0;
    if (ChangedFlags[0] && (status = writeSetting(AllowLogon, checkValue(CHECK_Logon))))
        return status;
    for (const auto &[flag, configClass, text, noTimeout] : timeouts) {
        const QString value = noTimeout->isChecked() ? "0" : millisecondsText(text->text());
        if (ChangedFlags[size_t(flag)] && (status = writeSetting(configClass, value)))
            return status;
    }
    for (const auto &[flag, configClass, box] : checks) {
        if (ChangedFlags[size_t(flag)] && (status = writeSetting(configClass, checkValue(box))))
            return status;
    }
    if (ChangedFlags[8] && (status = writeSetting(InitialProgram, TEXT_CommandLine->text() + Nul)))
        return status;
    if (ChangedFlags[9] && (status = writeSetting(WorkingDirectory, TEXT_WorkDir->text() + Nul)))
        return status;
    if ((status = writeHomeDirectory()))
        return status;
    if (ChangedFlags[10]) {
        // The account's own home directory; its outcome does not stop the rest.
        QString name = TargetUser;
        AccountChanges changes;
        changes.HomeDir = TEXT_WinFramePath->text().trimmed();
        Set_AccountInfo(name, TargetServer, account_kind::User, changes);
    }
    for (const auto &[configClass, combo] : {std::pair{BrokenConnection, COMBO_Broken},
                                             std::pair{Reconnect, COMBO_Reconnect},
                                             std::pair{Callback, COMBO_Callback}}) {
        if ((status = writeListIndex(configClass, combo)))
            return status;
    }
    if (ChangedFlags[11] && (status = writeSetting(CallbackNumber, TEXT_Callback->text() + Nul)))
        return status;
    if ((status = writeListIndex(Shadowing, COMBO_Shadowing)))
        return status;
    if (ChangedFlags[12] && (status = writeSetting(ProfilePath, TEXT_ProfilePath->text() + Nul)))
        return status;
    return status;
}
