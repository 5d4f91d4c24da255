#include "DeleteUserWindow.h"

#include "AccountPropertiesText.h"
#include "DeleteBatch.h"
#include "ListBox.h"
#include "RunServer.h"
#include "UserDeletion.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "directory/AccountEnumeration.h"
#include "directory/AccountRead.h"
#include "directory/DirectoryResult.h"
#include "ui/FieldText.h"
#include "ui/ListControls.h"
#include "ui/ListSelection.h"
#include "ui/NamedWidget.h"
#include "ui/ServerArgument.h"
#include "ui/ShowResult.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString &Title = DeleteUserTitle;
const QString UserNameHint =
    QStringLiteral("Input the user name.  The name must be present in the above domain.");
const QString MissingDomainText =
    QStringLiteral("Please specify the NT domain for the user account.");
const QString MissingDomainTopic = QStringLiteral(" : Missing Domain");

const QString SettingsSection = QStringLiteral("Settings");
const QString LastDomainKey = QStringLiteral("LastDomain");
const QString LastUserKey = QStringLiteral("LastUserID");
const QString ReuseKey = QStringLiteral("reuse");

} // namespace

frmNTDelUser::frmNTDelUser(QWidget *parent)
    : TaskWindow({Title, true, -1}, parent),
      FRAME_UserAccountSettings(named(
          new QGroupBox(QStringLiteral(" NT User Account Settings "), this),
          "FRAME_UserAccountSettings")),
      LABEL_UserName(named(new QLabel(QStringLiteral("User Name:")), "LABEL_UserName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      BUTTON_CheckProp(named(new QPushButton(QStringLiteral("Who?")), "BUTTON_CheckProp")),
      CHECK_Reuse(
          named(new QCheckBox(QStringLiteral("Allow object to be reused")), "CHECK_Reuse")),
      BUTTON_List(named(new QPushButton(QStringLiteral("&List All Users in Domain")),
                        "BUTTON_List")),
      LIST_Items(named(new ListBox, "LIST_Items")),
      LABEL_Items(named(new QLabel(QStringLiteral("Items : 0")), "LABEL_Items")),
      LABEL_Security(named(new QLabel(QStringLiteral(
                               "Depending on network traffic and object abundancy, the items "
                               "may take a few minutes to gather.")),
                           "LABEL_Security")),
      BUTTON_Delete(named(new QPushButton(QStringLiteral("&Delete")), "BUTTON_Delete"))
{
    buildLayout();
    BUTTON_CheckProp->setToolTip(QStringLiteral("Check Properties"));
    BUTTON_List->setToolTip(QStringLiteral("Enumerate Users"));
    BUTTON_Delete->setToolTip(QStringLiteral("Delete From Domain"));
    LIST_Items->setSelectionMode(QAbstractItemView::ExtendedSelection);

    addTextField(TEXT_ID, LABEL_UserName, UserNameHint);
    connect(LIST_Items, &ListBox::keyUp, this, &frmNTDelUser::LIST_Items_KeyUp);
    connect(LIST_Items, &ListBox::mouseUp, this, &frmNTDelUser::LIST_Items_MouseUp);
    connectTask(LIST_Items, &QListWidget::itemDoubleClicked, &frmNTDelUser::LIST_Items_DblClick);
    connectTask(BUTTON_List, &frmNTDelUser::BUTTON_List_Click);
    connectTask(BUTTON_CheckProp, &frmNTDelUser::BUTTON_CheckProp_Click);
    connectTask(BUTTON_Delete, &frmNTDelUser::BUTTON_Delete_Click);

    Form_Load();
}

void frmNTDelUser::buildLayout()
{
    LABEL_Security->setWordWrap(true);
    auto *grid = new QGridLayout(FRAME_UserAccountSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1, 1, 2);
    grid->addWidget(LABEL_UserName, 1, 0);
    grid->addWidget(TEXT_ID, 1, 1);
    grid->addWidget(BUTTON_CheckProp, 1, 2);
    grid->addWidget(CHECK_Reuse, 2, 1, 1, 2);
    grid->addWidget(BUTTON_List, 3, 1, 1, 2);
    grid->addWidget(LIST_Items, 4, 1, 1, 2);
    grid->addWidget(LABEL_Items, 5, 1, 1, 2);
    grid->addWidget(LABEL_Security, 6, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Delete);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_UserAccountSettings);
    content->addLayout(buttons);
    setContent(content);
}

// --- Settings ------------------------------------------------------------------

void frmNTDelUser::Load_Settings()
{
    COMBO_Domain->setEditText(GetSetting(SettingsSection, LastDomainKey));
    TEXT_ID->setText(GetSetting(SettingsSection, LastUserKey));
    CHECK_Reuse->setChecked(GetSettingInt(Title, ReuseKey, 1) != 0);
}

void frmNTDelUser::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    SaveSetting(SettingsSection, LastDomainKey, COMBO_Domain->currentText());
    SaveSetting(SettingsSection, LastUserKey, TEXT_ID->text());
    SaveSettingInt(Title, ReuseKey, CHECK_Reuse->isChecked() ? 1 : 0);
}

// --- Field handlers --------------------------------------------------------------

void frmNTDelUser::COMBO_Domain_Change()
{
    LIST_Items->clear();
    TaskWindow::COMBO_Domain_Change();
    showItemCount();
}

void frmNTDelUser::COMBO_Domain_Click()
{
    LIST_Items->clear();
    TaskWindow::COMBO_Domain_Click();
    showItemCount();
    TEXT_ID_Change();
}

void frmNTDelUser::TEXT_ID_Change()
{
    if (inResultMode())
        Show_Hint(UserNameHint);
}

void frmNTDelUser::showItemCount()
{
    Show_ItemCount(LABEL_Items, LIST_Items);
}

bool frmNTDelUser::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(COMBO_Domain, MissingDomainText, MissingDomainTopic);
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(TEXT_ID, QStringLiteral("Please specify a user name."),
                            QStringLiteral(" : Missing User Name"));
    return true;
}

bool frmNTDelUser::findServer(QString &server)
{
    if (Find_RunServer(Trim_Blanks(COMBO_Domain->currentText()), server))
        return true;
    Fail_Task(NoConnectionText, NoControllerText);
    return false;
}

// --- The list ----------------------------------------------------------------------

void frmNTDelUser::BUTTON_List_Click()
{
    BUTTON_List->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    if (domain.isEmpty()) {
        Refuse_Field(COMBO_Domain, MissingDomainText, MissingDomainTopic);
        return;
    }

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Stamp->setText(QStringLiteral("Working..."));
    LIST_Items->clear();
    repaint();
    QStringList unused;
    QString noPrefix;
    ListWidgetControl list(LIST_Items);
    if (Enum_Accounts(Server_Argument(domain), enum_kind::Users, unused, false, noPrefix,
                      &list) > 0)
        Show_Neutral();
    else
        Fail_Task(QStringLiteral("Error, no user accounts exist within the specified domain."));
    showItemCount();
}

void frmNTDelUser::LIST_Items_KeyUp() { takeSelectedNames(); }

void frmNTDelUser::LIST_Items_MouseUp() { takeSelectedNames(); }

void frmNTDelUser::takeSelectedNames()
{
    seams::setPointer(seams::Pointer::Wait);
    TEXT_ID->setText(Selected_Entries(LIST_Items));
    seams::setPointer(seams::Pointer::Default);
}

void frmNTDelUser::LIST_Items_DblClick()
{
    const QListWidgetItem *current = LIST_Items->currentItem();
    if (LIST_Items->count() == 0 || !current)
        return;
    TEXT_ID->setText(current->text());
    BUTTON_CheckProp_Click();
}

void frmNTDelUser::removeFromList(const QString &name)
{
    for (int row = LIST_Items->count() - 1; row >= 0; --row) {
        if (LIST_Items->item(row)->text() == name)
            delete LIST_Items->takeItem(row);
    }
}

// --- Who? -------------------------------------------------------------------------

void frmNTDelUser::BUTTON_CheckProp_Click()
{
    BUTTON_CheckProp->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;
    if (TEXT_ID->text().contains(u',')) {
        seams::messageBox(QStringLiteral("Only one user name can be specified."), seams::OkOnly,
                          seams::Exclamation, AppTitle + QStringLiteral(" : Too Many Users"));
        return;
    }

    seams::setPointer(seams::Pointer::Wait);
    repaint();
    QString server;
    if (!findServer(server))
        return;

    QString name = Trim_Blanks(TEXT_ID->text());
    QVariantList items;
    AccountFlags flags;
    const int32_t result =
        Get_AccountInfo(name, server, account_kind::User, items, false, flags.cannotChange,
                        flags.neverExpires, flags.disabled, flags.lockedOut);
    if (result != directory_result::Success) {
        Fail_Task(QStringLiteral("Error, could not get the user account properties."),
                  Get_ErrorText(result));
        return;
    }
    Show_Hint(QStringLiteral("User account found and properties displayed."));
    seams::messageBox(Properties_Text(items, flags), seams::OkOnly, seams::Information,
                      QStringLiteral("Account Properties : ") + TEXT_ID->text());
}

// --- Delete ----------------------------------------------------------------------

void frmNTDelUser::BUTTON_Delete_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString names = Trim_Blanks(TEXT_ID->text());
    BUTTON_Delete->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    const QString question =
        TEXT_ID->text().contains(u',')
            ? QStringLiteral("You are about to delete several user accounts.\n\nAre you Sure?")
            : QStringLiteral("You are about to delete user account : ") + names +
                  QStringLiteral("\n\nAre you Sure?");
    if (seams::messageBox(question, seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Please Confirm")) != seams::Yes)
        return;

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Stamp->setText(QStringLiteral("Working..."));
    repaint();
    const QStringList list = Split_Names(names);
    QString server;
    if (!findServer(server))
        return;

    QString failed;
    QStringList keptBy;
    const int32_t result = deleteNames(list, server, failed, keptBy);
    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Result(*this,
                    QStringLiteral("Error, could not delete user account - ") + failed +
                        QStringLiteral("\n\n") + words,
                    false, false, target, Title, target + u'\\' + failed, words);
    } else {
        const QString done = CHECK_Reuse->isChecked()
                                 ? QStringLiteral("User account(s) have been successfully "
                                                  "deleted (enabled for reuse) from ")
                                 : QStringLiteral("User account(s) have been successfully "
                                                  "deleted from ");
        // A domain that would not let a soft-deleted account out of its local
        // groups is named, in the panel and in detail 2 of the log line.
        const QString kept = keptBy.join(QStringLiteral(", "));
        const QString keptText = kept.isEmpty()
            ? QString()
            : QStringLiteral("\n\nStill a member of local groups in: ") + kept + u'.';
        Show_Result(*this, done + domain + u'.' + keptText, true, false, target, Title,
                    target + u'\\' + list.first(), QString(), kept);
    }
    showItemCount();
}

int32_t frmNTDelUser::deleteNames(const QStringList &names, const QString &server,
                                  QString &failed, QStringList &keptBy)
{
    const bool reuse = CHECK_Reuse->isChecked();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    for (const QString &typed : names) {
        QString name = typed;
        QString newName;
        QStringList kept;
        const int32_t result = reuse ? SoftDelete_User(name, server, domain, newName, kept)
                                     : Delete_User(name, server);
        for (const QString &other : std::as_const(kept)) {
            if (!keptBy.contains(other))
                keptBy.append(other);
        }
        // A soft delete that renamed the account but could not take it out of
        // a group has still renamed it: the list shows the name it bears.
        if (result == directory_result::Success || !newName.isEmpty()) {
            removeFromList(typed);
            if (!newName.isEmpty())
                LIST_Items->addItem(newName);
        }
        if (result != directory_result::Success) {
            failed = typed;
            return result;
        }
    }
    return directory_result::Success;
}
