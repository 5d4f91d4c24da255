// The view/modify-group window's actions: listing the groups, reading the
// chosen group, adding a member and removing the selected ones.
#include "frmNTModGroup.h"

#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "directory/AccountEnumeration.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/GroupMembership.h"
#include "directory/ServerResolution.h"
#include "ui/FieldText.h"
#include "ui/ServerArgument.h"
#include "ui/ShowResult.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVariantList>

namespace {

const QString Title = QStringLiteral("NT View/Modify Group");

} // namespace

bool frmNTModGroup::Check_Fields()
{
    if (Trim_Blanks(COMBO_MemberDomain->currentText()).isEmpty())
        return Refuse_Field(COMBO_MemberDomain,
                            QStringLiteral("Please specify the NT domain for the user."),
                            QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_MemberName->text()).isEmpty())
        return Refuse_Field(TEXT_MemberName,
                            QStringLiteral("Please specify a either a user or group name."),
                            QStringLiteral(" : Missing User Name"));
    return true;
}

void frmNTModGroup::BUTTON_List_Click()
{
    BUTTON_List->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty()) {
        Refuse_Field(COMBO_Domain, QStringLiteral("Please specify the NT domain for the groups."),
                     QStringLiteral(" : Missing Domain"));
        return;
    }

    m_taskAttempted = true;
    showWorking();
    COMBO_GroupName->clear();
    LIST_Items->clear();
    repaint();

    const bool local = OPTION_Local->isChecked();
    QStringList groups;
    QString noPrefix;
    Enum_Accounts(serverArgument(), enum_kind::Groups, groups, local, noPrefix);
    COMBO_GroupName->addItems(groups);
    if (COMBO_GroupName->count() == 0) {
        setGroupControlsEnabled(false);
        const QString text =
            local ? QStringLiteral("Error, no local groups exist within the specified domain or "
                                   "you may not have rights to view the groups.")
                  : QStringLiteral("Error, no global groups exist within the specified domain.");
        Show_Result(*this, text, false, false, {}, {}, {});
        return;
    }

    // A global group holds accounts of its own domain only: no groups.
    setGroupControlsEnabled(true);
    OPTION_MemberType[MemberGroup]->setEnabled(local);
    if (!local)
        OPTION_MemberType[MemberUser]->setChecked(true);
    COMBO_GroupName->setCurrentIndex(0);
    COMBO_GroupName_Click();
    if (stopRequested())
        return;
    COMBO_GroupName->setFocus();
    Show_Hint(QStringLiteral(
        "Group list complete.  Select target group from the Group Name dropdown list."));
}

void frmNTModGroup::COMBO_GroupName_Click()
{
    LIST_Items->clear();
    seams::setPointer(seams::Pointer::Wait);
    repaint();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    QString server = Server_Argument(domain);
    if (!Is_ServerName(domain))
        server = Get_DCName(domain, {});

    const bool local = OPTION_Local->isChecked();
    QString group = groupName();
    QVariantList values;
    bool cannotChange = false, neverExpires = false, disabled = false, lockedOut = false;
    if (Get_AccountInfo(group, server, account_kind::Group, values, local, cannotChange,
                        neverExpires, disabled, lockedOut) != directory_result::Success) {
        seams::setPointer(seams::Pointer::Default);
        seams::messageBox(
            QStringLiteral("Error, this group no longer exist or cannot be accessed."),
            seams::OkOnly, seams::Critical, AppTitle + QStringLiteral(" : Missing Group"));
        return;
    }
    LABEL_Comment->setText(values.value(1).toString());

    QStringList members;
    if (Get_GroupMembers(server, group, members, local) >= 1) {
        for (const QString &member : members) {
            LIST_Items->addItem(member);
            if (!letEventsRun())
                break;
        }
    }
    showMemberCount();
    seams::setPointer(seams::Pointer::Default);
}

void frmNTModGroup::BUTTON_AddMember_Click()
{
    // "\\My Computer" counts as the empty text (the local machine) from here on.
    const QString domain = Server_Argument(Trim_Blanks(COMBO_Domain->currentText()));
    const QString memberDomain = Server_Argument(Trim_Blanks(COMBO_MemberDomain->currentText()));
    const QString member = Trim_Blanks(TEXT_MemberName->text());
    BUTTON_AddMember->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    showWorking();
    const QString modifyError = QStringLiteral("Error, could not modify the group.");
    if (!domain.isEmpty() && memberDomain.isEmpty())
        return Fail_Task(QStringLiteral("Cannot add local workstation member to domain group."));
    if (OPTION_Global->isChecked() && domain != memberDomain)
        return Fail_Task(
            QStringLiteral("Cannot add external domain member to global domain group."));

    const bool local = OPTION_Local->isChecked();
    if (!domain.isEmpty() && !Is_ServerName(domain)) {
        QString name = member;
        int32_t found = 0;
        if (OPTION_MemberType[MemberUser]->isChecked()) {
            found = Check_Account(name, memberDomain, account_kind::User, false);
        } else {
            found = Check_Account(name, memberDomain, account_kind::Group, true);
            if (found != directory_result::Success)
                found = Check_Account(name, memberDomain, account_kind::Group, false);
        }
        if (Is_Unreachable(found))
            return Fail_Task(modifyError, QStringLiteral("The domain specified does not exist, "
                                                         "or the domain controllers are down."));
        if (found != directory_result::Success)
            return Fail_Task(modifyError, QStringLiteral("The member cannot be found."));
    }

    QString memberArgument =
        local && !domain.isEmpty() ? memberDomain + u'\\' + member : member;
    const int32_t result = Execute_Command(QStringLiteral("NT View/Modify Group.02"),
                                           memberArgument, domain, {groupName(), local});
    if (result == directory_result::Success)
        COMBO_GroupName_Click();
    seams::setPointer(seams::Pointer::Wait);
    repaint();

    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    const QString object = target + u'\\' + groupName() + u'\\' + member;
    const QString detail = QStringLiteral("Add Member");
    if (result == directory_result::Success) {
        Show_Result(*this,
                    member + QStringLiteral("\nmember has been successfully added to group."),
                    true, false, target, Title, object, detail);
    } else {
        const QString words = Get_ErrorText(result);
        Show_Result(*this, QStringLiteral("Error, could not add the member to group.\n\n") + words,
                    false, false, target, Title, object, detail, words);
    }
}

void frmNTModGroup::BUTTON_DelMember_Click()
{
    BUTTON_DelMember->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (LIST_Items->selectedItems().isEmpty()) {
        seams::messageBox(QStringLiteral("No member(s) have been selected to delete."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : No Members Selected"));
        LIST_Items->setFocus();
        return;
    }
    const QString group = groupName();
    if (seams::messageBox(QStringLiteral("You are about to delete member(s) from : ") + group +
                              QStringLiteral("\n\nAre you Sure?"),
                          seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Please Confirm")) != seams::Yes)
        return;

    showWorking();
    // From the last entry up, so that the walk is not disturbed by what the
    // directory does to the entries already passed.
    QString removed;
    int32_t result = directory_result::Success;
    const bool local = OPTION_Local->isChecked();
    for (int row = LIST_Items->count() - 1; row >= 0; --row) {
        if (!LIST_Items->item(row)->isSelected())
            continue;
        QString entry = LIST_Items->item(row)->text();
        removed += removed.isEmpty() ? entry : u';' + entry;
        result = Execute_Command(QStringLiteral("NT View/Modify Group.01"), entry,
                                 serverArgument(), {group, local});
        if (result != directory_result::Success)
            break;
    }
    COMBO_GroupName_Click();
    seams::setPointer(seams::Pointer::Wait);
    repaint();

    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    const QString object = target + u'\\' + group + u'\\' + removed;
    const QString detail = QStringLiteral("Remove Member");
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Result(*this,
                    QStringLiteral("Error, could not delete member from group : ") + removed +
                        QStringLiteral("\n\n") + words,
                    false, false, target, Title, object, detail, words);
    } else {
        Show_Result(*this,
                    QStringLiteral("The member(s) have been successfully deleted from group."),
                    true, false, target, Title, object, detail);
    }
}
