// The task behind BUTTON_Add of the add-user window: the field checks, the
// search for names that are free in every listed domain, and the directory
// commands that create (or take back) the user and the computer account.
#include "AddUserWindow.h"

#include "ProgressStep.h"
#include "UserNameBuilder.h"

#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "directory/AccountEnumeration.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/ServerResolution.h"
#include "ui/CheckName.h"
#include "ui/FieldText.h"
#include "ui/ShowResult.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace {

const QString AddUserCommand = QStringLiteral("NT Add User Account");
const QString ReuseCommand = AddUserCommand + QStringLiteral(".01");
const QString CreateCommand = AddUserCommand + QStringLiteral(".02");
const QString ComputerCommand = AddUserCommand + QStringLiteral(".03");
const QString AddMemberCommand = QStringLiteral("NT View/Modify Group.02");
const QString DeleteUserCommand = QStringLiteral("NT Delete User Account.02");
const QString SoftDeleteCommand = QStringLiteral("NT Delete User Account.01");
const QString LocalAdministrators = QStringLiteral("Administrators");
const QString ReuseSwitch = QStringLiteral("/REUSE");
const QString SoftDeletedPrefix = QStringLiteral("%");
// Soft-deleted accounts kept as patterns for new ones are never handed out.
const QString TemplateMarker = QStringLiteral("TEMPLATE");
constexpr int32_t BadNetPath = 53;

const QString DomainDown = QStringLiteral(
    " domain controller is down.  This function requires that all trusted domains are active.");
const QString NoSuchDomain = QStringLiteral(
    "The domain specified does not exist, or the domain controllers are down.");
const QString UserNotAdded = QStringLiteral("Error, could not add the user account.");
const QString ComputerNotAdded = QStringLiteral("Error, could not add the computer account.");

bool unreachable(int32_t status)
{
    return status == directory_result::NoController || status == BadNetPath;
}

// The list entry for this machine is looked up as this machine.
QString placeOf(const QString &entry) { return entry == MyComputer ? QString() : entry; }

} // namespace

bool frmNTAddUserComputer::Check_Fields()
{
    const auto blank = [](const QLineEdit *field) { return Trim_Blanks(field->text()).isEmpty(); };
    const auto badName = [](const QLineEdit *field) {
        return !Check_Name(field->text(), true, true, false, false, NameExtraCharacters);
    };
    const bool also = CHECK_Also->isChecked();
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(COMBO_Domain,
                            QStringLiteral("Please specify the NT domain for the user account."),
                            QStringLiteral(" : Missing Domain"));
    if (blank(TEXT_UserFirstName))
        return Refuse_Field(TEXT_UserFirstName,
                            QStringLiteral("Please specify first name for the user account."),
                            QStringLiteral(" : Missing First Name"));
    if (blank(TEXT_UserLastName))
        return Refuse_Field(TEXT_UserLastName,
                            QStringLiteral("Please specify last name for the user account."),
                            QStringLiteral(" : Missing Last Name"));
    if (blank(TEXT_UserName))
        return Refuse_Field(TEXT_UserName,
                            QStringLiteral("Please specify the user name for the user account."),
                            QStringLiteral(" : Missing User Name"));
    if (also && blank(TEXT_ComputerDomain))
        return Refuse_Field(
            TEXT_ComputerDomain,
            QStringLiteral("Please specify the NT domain for the computer account."),
            QStringLiteral(" : Missing Domain"));
    if (also && blank(TEXT_ComputerName))
        return Refuse_Field(
            TEXT_ComputerName,
            QStringLiteral("Please specify a computer name for the computer account."),
            QStringLiteral(" : Missing Computer Name"));
    if (badName(TEXT_UserName))
        return Refuse_Field(
            TEXT_UserName,
            QStringLiteral("The user name format is incorrect or contains illegal characters."),
            QStringLiteral(" : Incorrect User Name"));
    // Checked even when no computer account is asked for; an empty name passes.
    if (badName(TEXT_ComputerName))
        return Refuse_Field(TEXT_ComputerName,
                            QStringLiteral("The computer name format is incorrect or contains "
                                           "illegal characters."),
                            QStringLiteral(" : Incorrect Computer Name"));
    return true;
}

// The first entry of the list is not asked: it is the first domain the
// operator is offered, normally the one being added to, which the task
// looks at by itself.
frmNTAddUserComputer::DomainSearch
frmNTAddUserComputer::Find_InDomains(const QString &accountName, bool computerAccount)
{
    DomainSearch search;
    const int32_t kind = computerAccount ? account_kind::Computer : account_kind::User;
    for (int entry = 1; entry < COMBO_Domain->count(); ++entry) {
        const QString domain = COMBO_Domain->itemText(entry);
        QString name = accountName;
        search.status = Check_Account(name, placeOf(domain), kind, false);
        if (unreachable(search.status)) {
            search.unreachable = domain;
            return search;
        }
        advanceProgress();
        search.stopped = !letEventsRun();
        if (search.stopped || search.status == directory_result::Success)
            return search;
    }
    return search;
}

void frmNTAddUserComputer::BUTTON_Add_Click() { Run_Task(); }

void frmNTAddUserComputer::Run_Task()
{
    AddRun run;
    run.domain = Trim_Blanks(COMBO_Domain->currentText());
    run.user = Trim_Blanks(TEXT_UserName->text());
    run.computer = Trim_Blanks(TEXT_ComputerName->text());
    BUTTON_Add->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    m_taskAttempted = true;
    showWorking();
    m_progressStep = Progress_Step(appContext().SharedProgress().max(), COMBO_Domain->count(),
                                   CHECK_Also->isChecked());
    if (!Find_Server(run))
        return;
    const bool toServer = run.domain.startsWith(QStringLiteral("\\\\"));
    if (!toServer && CHECK_Unique->isChecked() && !Search_UniqueNames(run))
        return;

    ProgressIndicator &progress = appContext().SharedProgress();
    progress.setValue(progress.max() - (CHECK_Also->isChecked() ? 2 : 1) * m_progressStep);
    if (!letEventsRun())
        return;
    Finish_Task(run);
}

// A server is written to as it stands ("\\My Computer" being this machine);
// a domain through its primary controller.
bool frmNTAddUserComputer::Find_Server(AddRun &run)
{
    if (run.domain.startsWith(QStringLiteral("\\\\"))) {
        CHECK_Also->setChecked(false);
        run.server = run.domain == MyComputer ? QString() : run.domain;
        return true;
    }
    run.server = Get_DCName(run.domain, QString());
    if (!run.server.isEmpty())
        return true;
    Fail_Task(QStringLiteral("Network connection error."), NoSuchDomain);
    return false;
}

// Runs until the user name (and the computer name, when one is made) is free
// in every listed domain, offering candidates built from the person's names;
// false when the operator declines or a domain cannot be reached, for an
// account whose uniqueness cannot be proved is not created.
bool frmNTAddUserComputer::Search_UniqueNames(AddRun &run)
{
    int attempt = 0;
    for (;;) {
        bool userTaken = false;
        bool computerTaken = false;
        if (!Look_Up(run, userTaken, computerTaken))
            return false;
        if (attempt == 0)
            Report_Taken(userTaken, computerTaken);
        if (!userTaken && !computerTaken)
            break;
        if (attempt == 0
            && seams::messageBox(QStringLiteral("The account specified already exist.\n\n"
                                                "Would you like me to automatically search for\n"
                                                "a valid account name? (May take a few minutes)"),
                                 seams::YesNo, seams::Question,
                                 AppTitle + QStringLiteral(" : Please Confirm"))
                != seams::Yes) {
            Show_Neutral();
            return false;
        }
        run.user = Build_Candidate(TEXT_UserFirstName->text(), TEXT_UserMiddleInitial->text(),
                                   TEXT_UserLastName->text(), attempt);
        run.computer = run.user.toUpper();
        ++attempt;
        Show_Hint(QStringLiteral("Searching for valid account name..."));
        showWorking();
    }
    if (attempt == 0)
        return true;
    if (seams::messageBox(QStringLiteral("A valid account name has been determined : ") + run.user
                              + QStringLiteral("\n\nDo you wish to use this name and proceed?"),
                          seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Please Confirm"))
        != seams::Yes) {
        Show_Neutral();
        return false;
    }
    TEXT_UserName->setText(run.user);
    TEXT_ComputerName->setText(run.computer);
    Show_Neutral();
    seams::setPointer(seams::Pointer::Wait);
    repaint();
    return true;
}

// One pass of the search: is the user name taken at the target or in a
// listed domain, and the computer name in its domain or a listed one.
bool frmNTAddUserComputer::Look_Up(AddRun &run, bool &userTaken, bool &computerTaken)
{
    QString user = run.user;
    userTaken = Check_Account(user, run.server, account_kind::User, false)
        == directory_result::Success;
    if (!userTaken) {
        const DomainSearch search = Find_InDomains(run.user, false);
        if (search.stopped)
            return false;
        if (unreachable(search.status)) {
            Fail_Task(UserNotAdded, search.unreachable + DomainDown);
            return false;
        }
        userTaken = search.status == directory_result::Success;
    }
    if (!CHECK_Also->isChecked())
        return true;
    QString computer = run.computer;
    const int32_t status = Check_Account(computer, Trim_Blanks(TEXT_ComputerDomain->text()),
                                         account_kind::Computer, false);
    computerTaken = status == directory_result::Success;
    if (unreachable(status)) {
        Fail_Task(ComputerNotAdded, NoSuchDomain);
        return false;
    }
    if (!computerTaken) {
        const DomainSearch search = Find_InDomains(run.computer, true);
        if (search.stopped)
            return false;
        if (unreachable(search.status)) {
            Fail_Task(ComputerNotAdded, search.unreachable + DomainDown);
            return false;
        }
        computerTaken = search.status == directory_result::Success;
    }
    return true;
}

// What the first pass found taken, in red, before the operator is asked
// whether to search; nothing is logged and the run goes on.
void frmNTAddUserComputer::Report_Taken(bool userTaken, bool computerTaken)
{
    QString text;
    if (userTaken && computerTaken)
        text = QStringLiteral("Error, could not add the user and computer accounts.  Both "
                              "accounts already exist within the trusted NT domains.");
    else if (userTaken)
        text = QStringLiteral("Error, could not add the user account.  User account already "
                              "exist within the trusted NT domains.");
    else if (computerTaken)
        text = QStringLiteral("Error, could not add the computer account.  Computer account "
                              "already exist within the trusted NT domains.");
    else
        return;
    Show_Result(*this, text, false, false, {}, {}, {});
}

// Takes a soft-deleted account back into use when the program was started
// with "/REUSE" and one is found; otherwise, or when that fails, creates the
// account. The status of the command that decided.
int32_t frmNTAddUserComputer::Create_User(AddRun &run)
{
    const QString fullName = Build_FullName(TEXT_UserFirstName->text(),
                                            TEXT_UserMiddleInitial->text(),
                                            TEXT_UserLastName->text());
    const QString password = Trim_Blanks(TEXT_Password->text());
    const QString script = Trim_Blanks(TEXT_UserLoginScript->text());
    const QString description = Trim_Blanks(TEXT_EmpoyeeNumber->text());
    const bool mustChange = CHECK_Expired->isChecked();

    QString reuseName;
    if (HasSwitch(appContext().CommandLine, ReuseSwitch)) {
        QStringList found;
        QString prefix = SoftDeletedPrefix;
        if (Enum_Accounts(run.server, enum_kind::Users, found, false, prefix) > 0
            && found.first().startsWith(SoftDeletedPrefix)
            && !found.first().toUpper().contains(TemplateMarker))
            reuseName = found.first();
    }
    if (!reuseName.isEmpty()) {
        const int32_t result = Execute_Command(
            ReuseCommand, reuseName, run.server,
            {description, fullName, script, description, mustChange, password, run.user,
             run.domain});
        if (result == directory_result::Success) {
            run.reusedFrom = reuseName;
            advanceProgress();
            return result;
        }
    }
    const int32_t result =
        Execute_Command(CreateCommand, run.user, run.server,
                        {fullName, password, script, description, description, mustChange});
    advanceProgress();
    return result;
}

void frmNTAddUserComputer::Finish_Task(AddRun &run)
{
    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    const int32_t created = Create_User(run);
    if (created != directory_result::Success) {
        const QString words = Get_ErrorText(created);
        Show_Result(*this,
                    QStringLiteral("Error, could not add the user account : ") + words
                        + QStringLiteral("\n\nNo accounts have been added."),
                    false, false, target, title(), target + u'\\' + run.user, words);
        return;
    }
    // Membership of the local administrators is a convenience: a refusal
    // does not undo the account.
    if (CHECK_Admin->isChecked())
        Execute_Command(AddMemberCommand, run.user, run.server, {LocalAdministrators, true});

    const QString script = TEXT_UserLoginScript->text();
    const QString description = TEXT_EmpoyeeNumber->text();
    if (!CHECK_Also->isChecked()) {
        Show_Result(*this,
                    run.user + QStringLiteral("\nuser account has been successfully added to ")
                        + run.domain + u'.',
                    true, false, target, title(), target + u'\\' + run.user,
                    QStringLiteral("User account"), script, description, PasswordMask);
        return;
    }

    const QString computerDomain = TEXT_ComputerDomain->text();
    const int32_t result =
        Execute_Command(ComputerCommand, run.computer, Trim_Blanks(computerDomain),
                        {run.domain + u'\\' + run.user});
    advanceProgress();
    if (result != directory_result::Success) {
        // Either both accounts exist or neither: a user account created in
        // this run goes again; one taken back into use returns to its
        // soft-deleted state, which keeps its SID for the next reuse.
        if (run.reusedFrom.isEmpty())
            Execute_Command(DeleteUserCommand, run.user, run.server);
        else
            Execute_Command(SoftDeleteCommand, run.user, run.server,
                            {run.reusedFrom, run.domain});
        const QString words = Get_ErrorText(result);
        Show_Result(*this,
                    QStringLiteral("Error, could not add the computer account : ") + words
                        + QStringLiteral("\n\nNo accounts have been created."),
                    false, false, target, title(), computerDomain + u'\\' + run.computer, words);
        return;
    }
    Show_Result(*this,
                run.user + QStringLiteral("\nuser and computer accounts have been successfully ")
                    + QStringLiteral("added to ") + run.domain + u'.',
                true, false, target, title(), target + u'\\' + run.user,
                QStringLiteral("User and Computer account"), script, description, PasswordMask,
                computerDomain + u'\\' + run.computer);
}

void frmNTAddUserComputer::advanceProgress()
{
    ProgressIndicator &progress = appContext().SharedProgress();
    progress.setValue(progress.value() + m_progressStep);
}
