// The view/modify-computer window's re-synchronisation and shares.
#include "frmNTModComputer.h"

#include "HelperProcess.h"
#include "NetworkMap.h"
#include "Shares.h"

#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/Seams.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "ui/FieldText.h"
#include "ui/ShowResult.h"

#include <QComboBox>
#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString Title = QStringLiteral("NT View/Modify Computer Account");
const QString Netdom = QStringLiteral("netdom.exe");
const QString CouldNotResync = QStringLiteral("Error, could not resync the computer account.");

// The success line netdom.exe prints, exact and case-sensitive.
bool reportsJoined(const QString &output, const QString &domain)
{
    const QString phrase = QStringLiteral("joined the domain ") + domain +
                           QStringLiteral(" successfully");
    const QStringList lines = output.split(u'\n');
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString &line) { return line.contains(phrase); });
}

} // namespace

void frmNTModComputer::BUTTON_Resync_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString name = Trim_Blanks(TEXT_ID->text());
    BUTTON_Resync->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;
    if (seams::messageBox(QStringLiteral("You are about to resync computer : ") + name +
                              QStringLiteral("\n\nAre you Sure?"),
                          seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Please Confirm")) != seams::Yes)
        return;

    showWorking();
    if (domain.startsWith(QStringLiteral("\\\\")))
        return Fail_Task(QStringLiteral("Cannot resync a workstation with another workstation.  "
                                        "You must resync a worksation with a domain computer "
                                        "account."));
    if (controllerFor(domain, {}).isEmpty())
        return;

    const bool verbose = HasSwitch(appContext().CommandLine, QStringLiteral("/V"));
    const QString remote = QStringLiteral("\\\\") + name;
    if (Net_Connect({}, remote) != 0) {
        if (verbose)
            seams::messageBox(QStringLiteral("Could not connect to target computer, forcing new "
                                             "account creation..."),
                              seams::OkOnly, seams::Exclamation);
        return Recreate_Account(name, Wording::Connect);
    }
    if (verbose)
        seams::messageBox(QStringLiteral("Successfully connected to target computer..."),
                          seams::OkOnly, seams::NoIcon);
    const bool joined = Run_Netdom(domain, name, verbose);
    const bool goOn = letEventsRun();
    Net_Disconnect(remote);
    if (joined && goOn)
        Show_Result(*this,
                    name + QStringLiteral("\ncomputer account has been successfully resynced. "
                                          "The user must reboot for changes to take effect."),
                    true, false, domain, Title, domain + u'\\' + name);
}

// Has the site's netdom.exe join the computer again: true when it reports
// the join. A missing helper is reported here (and nothing is changed);
// any other failure has led to the re-creation.
bool frmNTModComputer::Run_Netdom(const QString &domain, const QString &name, bool verbose)
{
    const QString folder = QDir::toNativeSeparators(Helper_Folder());
    const QString program = Helper_Folder() + u'/' + Netdom;
    if (!QFileInfo::exists(program)) {
        Fail_Task(CouldNotResync, QStringLiteral("Missing netdom.exe in program path."));
        seams::messageBox(
            QStringLiteral("Could not resync computer, netdom.exe file not found.\n\nNetdom.exe "
                           "is a free dowload from Microsoft.  Save the\nfile to ") +
                folder + QStringLiteral(", then retry."),
            seams::OkOnly, seams::Critical, AppTitle + QStringLiteral(" : File Not Found"));
        return false;
    }
    // The window is painted while the helper runs; the frame ignores presses
    // and holds a close until this task has returned. A close ends the wait,
    // and then nothing is changed in the directory.
    const HelperOutcome run = Run_Helper(
        program,
        {QStringLiteral("/domain:") + domain, QStringLiteral("member"), name,
         QStringLiteral("/joindomain")},
        ResyncBoundSeconds, [this] { return stopRequested(); });
    if (stopRequested())
        return false;
    if (run.ended && run.exitCode == 0 && reportsJoined(run.output, domain))
        return true;
    if (verbose)
        seams::messageBox(QStringLiteral("Netdom failed, forcing new account creation..."),
                          seams::OkOnly, seams::Exclamation);
    Recreate_Account(name, Wording::Netdom);
    return false;
}

// The fallback: the account deleted and created anew with the same link.
void frmNTModComputer::Recreate_Account(const QString &name, Wording wording)
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    QString account = name;
    Execute_Command(QStringLiteral("NT View/Modify Computer Account.03"), account, domain);
    // The two writes are one change: once the account is gone it is made
    // again, whatever the operator asked for meanwhile.
    letEventsRun();
    const QString link = Trim_Blanks(TEXT_ComputerDescription->text());
    account = name;
    const int32_t result = Execute_Command(QStringLiteral("NT View/Modify Computer Account.04"),
                                           account, domain, {link});
    if (result == directory_result::Success) {
        Show_Result(*this,
                    name + QStringLiteral("\ncomputer account has been resynced. The user must "
                                          "reboot for changes to take effect."),
                    true, false, domain, Title, domain + u'\\' + name);
    } else if (wording == Wording::Connect) {
        Show_Result(*this,
                    QStringLiteral("Could not logon to computer \\\\") + name +
                        QStringLiteral("\n\nThe workstation is down, or the admin account "
                                       "specified is incorrect."),
                    false, false, domain, Title, domain + QStringLiteral(" \\ ") + name);
    } else {
        Show_Result(*this,
                    CouldNotResync +
                        QStringLiteral("\nInvalid netdom requirements, or conflicting account "
                                       "credentials.\n\nTry removing the computer account, then "
                                       "adding\na new computer account with same name."),
                    false, false, domain, Title, domain + u'\\' + name);
    }
}

void frmNTModComputer::BUTTON_Share_Click()
{
    BUTTON_Share->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_More[0]->setText(QStringLiteral("Shared Device List, Working..."));
    showPanel(PICTURE_Share);
    Clear_Properties(false);
    // The values belong to the listing being replaced: a computer that now
    // gives no list must not seem to offer the share shown before.
    LIST_Shares->clear();
    for (QLabel *value : LABEL_MoreProp)
        value->clear();
    QStringList names;
    if (Enum_Shares(names, Trim_Blanks(TEXT_ID->text())) > 0) {
        for (const QString &share : std::as_const(names)) {
            LIST_Shares->addItem(share);
            if (!letEventsRun())
                return;
        }
        LIST_Shares->setCurrentRow(0);
        LIST_Shares_Click();
    }
    LABEL_More[0]->setText(QStringLiteral("Shared Device List"));
    seams::setPointer(seams::Pointer::Default);
}

void frmNTModComputer::LIST_Shares_Click()
{
    seams::setPointer(seams::Pointer::Wait);
    QVariantList values;
    const QListWidgetItem *entry = LIST_Shares->currentItem();
    const bool read = entry && Get_ShareInfo(entry->text(), values,
                                             Trim_Blanks(TEXT_ID->text())) == 0;
    LABEL_MoreProp[0]->setText(read ? values.value(2).toString() : QString());
    LABEL_MoreProp[1]->setText(read ? values.value(1).toString() : QString());
    seams::setPointer(seams::Pointer::Default);
}
