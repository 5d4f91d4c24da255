#include "ModifyUserWindow.h"

#include "LastLogonSearch.h"
#include "ModifyUserTexts.h"
#include "RunServer.h"
#include "UserGroupEntries.h"
#include "UserItems.h"
#include "UserViewTexts.h"

#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "app/Identity.h"
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
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString &Title = ModifyUserTitle;
const QString UserNameHint =
    QStringLiteral("Input the user name.  The name must be present in the above domain.");
const QString MissingDomainTopic = QStringLiteral(" : Missing Domain");
const QString NoUsersText =
    QStringLiteral("Error, no user accounts exist within the specified domain.");

const QString SettingsSection = QStringLiteral("Settings");
const QString LastDomainKey = QStringLiteral("LastDomain");
const QString LastUserKey = QStringLiteral("LastUserID");

frmNTModUser::TerminalServerDialog &terminalServerDialog()
{
    static frmNTModUser::TerminalServerDialog dialog;
    return dialog;
}

QPushButton *button(const QString &text, const QString &tip, const char *name)
{
    auto *created = named(new QPushButton(text), name);
    created->setToolTip(tip);
    return created;
}

QCheckBox *checkBox(const QString &text, const char *name)
{
    return named(new QCheckBox(text), name);
}

template <std::size_t N>
std::array<QLabel *, N> labelRow(const char *stem, const std::array<const char *, N> &texts)
{
    std::array<QLabel *, N> labels{};
    for (std::size_t i = 0; i < N; ++i) {
        labels[i] = new QLabel(QString::fromUtf8(texts[i]));
        labels[i]->setObjectName(QString::fromLatin1(stem) + QString::number(i));
    }
    return labels;
}

} // namespace

void frmNTModUser::setTerminalServerDialog(TerminalServerDialog dialog)
{
    terminalServerDialog() = std::move(dialog);
}

frmNTModUser::frmNTModUser(QWidget *parent)
    : TaskWindow({Title, true, -1}, parent),
      LABEL_UserName(named(new QLabel(QStringLiteral("User Name:")), "LABEL_UserName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      BUTTON_List(button(QStringLiteral("&List All Users in Domain"),
                         QStringLiteral("Enumerate Users"), "BUTTON_List")),
      BUTTON_PropertiesSet(button(QStringLiteral("View/Set User &Properties"),
                                  QStringLiteral("View/Set Properties"), "BUTTON_PropertiesSet")),
      BUTTON_PropertiesView(button(QStringLiteral("&View Only Properties"),
                                   QStringLiteral("View Properties"), "BUTTON_PropertiesView")),
      BUTTON_WTS(button(QStringLiteral("View/Set &Terminal Server Properties"),
                        QStringLiteral("Terminal Server Properties"), "BUTTON_WTS")),
      FRAME_UserAccountSettings(named(new QGroupBox(QStringLiteral(" NT User Account Settings ")),
                                      "FRAME_UserAccountSettings")),
      PICTURE_List(named(new QFrame, "PICTURE_List")),
      LIST_Items(named(new QListWidget, "LIST_Items")),
      BUTTON_RefreshList(named(new QPushButton(QStringLiteral("< Refresh >")),
                               "BUTTON_RefreshList")),
      LABEL_Items(named(new QLabel(QStringLiteral("Items : 0")), "LABEL_Items")),
      LABEL_Security(named(new QLabel(QStringLiteral(
                               "Depending on network traffic and object abundancy, the items "
                               "may take a few minutes to gather.")),
                           "LABEL_Security")),
      PICTURE_PropertiesSet(named(new QFrame, "PICTURE_PropertiesSet")),
      LABEL_UserFullName(named(new QLabel(QStringLiteral("Full Name:")), "LABEL_UserFullName")),
      TEXT_UserFullName(named(new QLineEdit, "TEXT_UserFullName")),
      LABEL_UserDescription(
          named(new QLabel(QStringLiteral("Description:")), "LABEL_UserDescription")),
      TEXT_UserDescription(named(new QLineEdit, "TEXT_UserDescription")),
      LABEL_UserComment(named(new QLabel(QStringLiteral("User Comment:")), "LABEL_UserComment")),
      TEXT_UserComment(named(new QLineEdit, "TEXT_UserComment")),
      LABEL_UserLogonScript(
          named(new QLabel(QStringLiteral("Logon Script:")), "LABEL_UserLogonScript")),
      TEXT_UserLogonScript(named(new QLineEdit, "TEXT_UserLogonScript")),
      CHECK_UserPasswordExpired(
          checkBox(QStringLiteral("Must change password at login"), "CHECK_UserPasswordExpired")),
      CHECK_UserPasswordNoChange(
          checkBox(QStringLiteral("User cannot change password"), "CHECK_UserPasswordNoChange")),
      CHECK_UserPasswordNoExpire(
          checkBox(QStringLiteral("Password never expires"), "CHECK_UserPasswordNoExpire")),
      CHECK_UserAccountDisabled(
          checkBox(QStringLiteral("Account disabled"), "CHECK_UserAccountDisabled")),
      CHECK_LockOut(checkBox(QStringLiteral("Lockout"), "CHECK_LockOut")),
      BUTTON_Apply(button(QStringLiteral("&Apply"), QStringLiteral("Apply Modifications"),
                          "BUTTON_Apply")),
      BUTTON_Rename(button(QStringLiteral("&Rename..."), QStringLiteral("Rename Account"),
                           "BUTTON_Rename")),
      BUTTON_Password(button(QStringLiteral("Pass&word..."), QStringLiteral("Reset Password"),
                             "BUTTON_Password")),
      PICTURE_PropertiesView(named(new QFrame, "PICTURE_PropertiesView")),
      LABEL_Groups(named(new QLabel(QStringLiteral("User Specific Groups")), "LABEL_Groups")),
      LIST_Groups(named(new QListWidget, "LIST_Groups")),
      LABEL_More(labelRow<4>("LABEL_More",
                             {"Acc Exp Date:", "Password Age:", "User Rights:", "Logon Server:"})),
      LABEL_Misc(labelRow<5>("LABEL_Misc", {"", "", "", "", ""})),
      BUTTON_GetLL(button(QStringLiteral("Last Logo&n >>"), QStringLiteral("Get Last Logon Date"),
                          "BUTTON_GetLL"))
{
    buildLayout();

    addTextField(TEXT_ID, LABEL_UserName, UserNameHint);
    connect(TEXT_ID, &QLineEdit::textChanged, this, &frmNTModUser::TEXT_ID_Change);
    addPropertyField(TEXT_UserFullName, LABEL_UserFullName);
    addPropertyField(TEXT_UserDescription, LABEL_UserDescription);
    addPropertyField(TEXT_UserComment, LABEL_UserComment);
    addPropertyField(TEXT_UserLogonScript, LABEL_UserLogonScript);
    // The grey state shows a lock-out; the operator can only clear or tick.
    connect(CHECK_LockOut, &QCheckBox::clicked, this,
            [this] { CHECK_LockOut->setTristate(false); });

    // A selection made by mouse or keys; focus alone moves no selection.
    connect(LIST_Items, &QListWidget::itemSelectionChanged, this,
            &frmNTModUser::LIST_Items_Click);
    connect(LIST_Items, &QListWidget::itemClicked, this, &frmNTModUser::LIST_Items_Click);
    connectTask(LIST_Items, &QListWidget::itemDoubleClicked, &frmNTModUser::LIST_Items_DblClick);
    connectTask(BUTTON_List, &frmNTModUser::BUTTON_List_Click);
    connectTask(BUTTON_RefreshList, &frmNTModUser::BUTTON_RefreshList_Click);
    connectTask(BUTTON_PropertiesSet, &frmNTModUser::BUTTON_PropertiesSet_Click);
    connectTask(BUTTON_PropertiesView, &frmNTModUser::BUTTON_PropertiesView_Click);
    connectTask(BUTTON_GetLL, &frmNTModUser::BUTTON_GetLL_Click);
    connectTask(BUTTON_WTS, &frmNTModUser::BUTTON_WTS_Click);
    connectTask(BUTTON_Rename, &frmNTModUser::BUTTON_Rename_Click);
    connectTask(BUTTON_Password, &frmNTModUser::BUTTON_Password_Click);
    connectTask(BUTTON_Apply, &frmNTModUser::BUTTON_Apply_Click);

    Form_Load();
    Clear_Properties(true);
    TEXT_ID_Change();
}

// --- Layout -------------------------------------------------------------------------

void frmNTModUser::buildLayout()
{
    auto *top = new QGridLayout;
    top->addWidget(LABEL_Domain, 0, 0);
    top->addWidget(COMBO_Domain, 0, 1);
    top->addWidget(LABEL_UserName, 1, 0);
    top->addWidget(TEXT_ID, 1, 1);
    auto *actions = new QVBoxLayout;
    for (QPushButton *action :
         {BUTTON_List, BUTTON_PropertiesSet, BUTTON_PropertiesView, BUTTON_WTS})
        actions->addWidget(action);
    top->addLayout(actions, 0, 2, 3, 1);
    top->setColumnStretch(1, 1);

    // The three panels share one place; at most one shows at a time.
    auto *panels = new QGridLayout(FRAME_UserAccountSettings);
    for (QFrame *panel : {buildListPanel(), buildEditablePanel(), buildReadOnlyPanel()}) {
        panels->addWidget(panel, 0, 0);
        panel->setVisible(false);
    }
    int height = 0;
    for (QFrame *panel : {PICTURE_List, PICTURE_PropertiesSet, PICTURE_PropertiesView})
        height = std::max(height, panel->sizeHint().height());
    FRAME_UserAccountSettings->setMinimumHeight(height + 24);

    auto *content = new QVBoxLayout;
    content->addLayout(top);
    content->addWidget(FRAME_UserAccountSettings, 1);
    setContent(content);
}

QFrame *frmNTModUser::buildListPanel()
{
    LABEL_Security->setWordWrap(true);
    auto *grid = new QGridLayout(PICTURE_List);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(LIST_Items, 0, 0, 1, 2);
    grid->addWidget(LABEL_Items, 1, 0);
    grid->addWidget(BUTTON_RefreshList, 1, 1);
    grid->addWidget(LABEL_Security, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return PICTURE_List;
}

QFrame *frmNTModUser::buildEditablePanel()
{
    auto *grid = new QGridLayout(PICTURE_PropertiesSet);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<QLabel *, QLineEdit *> fields[] = {
        {LABEL_UserFullName, TEXT_UserFullName},
        {LABEL_UserDescription, TEXT_UserDescription},
        {LABEL_UserComment, TEXT_UserComment},
        {LABEL_UserLogonScript, TEXT_UserLogonScript}};
    int row = 0;
    for (const auto &[label, field] : fields) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1, 1, 2);
    }
    grid->addWidget(CHECK_UserPasswordExpired, row, 1);
    grid->addWidget(CHECK_UserAccountDisabled, row++, 2);
    grid->addWidget(CHECK_UserPasswordNoChange, row, 1);
    grid->addWidget(CHECK_LockOut, row++, 2);
    grid->addWidget(CHECK_UserPasswordNoExpire, row++, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *action : {BUTTON_Rename, BUTTON_Password, BUTTON_Apply})
        buttons->addWidget(action);
    grid->addLayout(buttons, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return PICTURE_PropertiesSet;
}

QFrame *frmNTModUser::buildReadOnlyPanel()
{
    auto *grid = new QGridLayout(PICTURE_PropertiesView);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(LABEL_Groups, 0, 0);
    grid->addWidget(LIST_Groups, 1, 0, 6, 1);
    for (int i = 0; i < 5; ++i) {
        if (i < 4)
            grid->addWidget(LABEL_More[i], i + 1, 1);
        else
            grid->addWidget(BUTTON_GetLL, i + 1, 1);
        grid->addWidget(LABEL_Misc[i], i + 1, 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return PICTURE_PropertiesView;
}

// --- Settings and fields ---------------------------------------------------------------

void frmNTModUser::Load_Settings()
{
    COMBO_Domain->setEditText(GetSetting(SettingsSection, LastDomainKey));
    TEXT_ID->setText(GetSetting(SettingsSection, LastUserKey));
}

void frmNTModUser::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    SaveSetting(SettingsSection, LastDomainKey, COMBO_Domain->currentText());
    SaveSetting(SettingsSection, LastUserKey, TEXT_ID->text());
}

void frmNTModUser::COMBO_Domain_Change()
{
    TaskWindow::COMBO_Domain_Change();
    Clear_Properties(true);
}

void frmNTModUser::COMBO_Domain_Click()
{
    TaskWindow::COMBO_Domain_Click();
    Clear_Properties(true);
}

// The frame brings the hint back on a change while an outcome shows; here
// only the buttons that need a name follow the field.
void frmNTModUser::TEXT_ID_Change()
{
    const bool named = !Trim_Blanks(TEXT_ID->text()).isEmpty();
    BUTTON_PropertiesSet->setEnabled(named);
    BUTTON_PropertiesView->setEnabled(named);
    // The changes act on the name in the field: once it is edited, the shown
    // properties are another account's, until the next read.
    for (QPushButton *change : {BUTTON_Apply, BUTTON_Rename, BUTTON_Password})
        change->setEnabled(false);
}

// The property fields have no hint of their own: they show the neutral text.
void frmNTModUser::addPropertyField(QLineEdit *field, QLabel *label)
{
    onFocus(
        field,
        [this, field, label] {
            setLabelFocused(label, true);
            selectAll(field);
            Show_Neutral();
        },
        [this, label] {
            setLabelFocused(label, false);
            Show_Neutral();
        });
    connect(field, &QLineEdit::textChanged, this, [this] {
        if (inResultMode())
            Show_Neutral();
    });
}

bool frmNTModUser::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(COMBO_Domain,
                            QStringLiteral("Please specify the NT domain for the user."),
                            MissingDomainTopic);
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(TEXT_ID, QStringLiteral("Please specify a user name."),
                            QStringLiteral(" : Missing User Name"));
    return true;
}

void frmNTModUser::Clear_Properties(bool clearList)
{
    for (QLineEdit *field :
         {TEXT_UserFullName, TEXT_UserDescription, TEXT_UserComment, TEXT_UserLogonScript})
        field->clear();
    for (QCheckBox *box : {CHECK_UserPasswordExpired, CHECK_UserPasswordNoChange,
                           CHECK_UserPasswordNoExpire, CHECK_UserAccountDisabled})
        box->setChecked(false);
    for (QPushButton *action : {BUTTON_Rename, BUTTON_Password, BUTTON_Apply, BUTTON_GetLL})
        action->setEnabled(false);
    for (QLabel *value : LABEL_Misc)
        value->clear();
    LIST_Groups->clear();
    const bool myComputer = Trim_Blanks(COMBO_Domain->currentText()) == MyComputer;
    BUTTON_WTS->setEnabled(terminalServerDialog() && !myComputer &&
                           !Trim_Blanks(TEXT_ID->text()).isEmpty());
    if (clearList)
        LIST_Items->clear();
    showItemCount();
}

void frmNTModUser::showItemCount()
{
    Show_ItemCount(LABEL_Items, LIST_Items);
}

bool frmNTModUser::findServer(QString &server)
{
    if (Find_RunServer(Trim_Blanks(COMBO_Domain->currentText()), server))
        return true;
    Fail_Task(NoConnectionText, NoControllerText);
    return false;
}

// How local groups at the server of the run are qualified: the domain, or
// "\\" and this machine's name for "\\My Computer".
QString frmNTModUser::domainText() const
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    return domain == MyComputer ? QStringLiteral("\\\\") + Get_ComputerName() : domain;
}

// --- The account list ------------------------------------------------------------------

void frmNTModUser::BUTTON_List_Click()
{
    QString domain;
    if (!startListing(BUTTON_List,
                      QStringLiteral("Please specify the NT domain for the user accounts."),
                      MissingDomainTopic, domain))
        return;

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    PICTURE_PropertiesSet->setVisible(false);
    PICTURE_PropertiesView->setVisible(false);
    PICTURE_List->setVisible(true);
    LABEL_Items->setText(QStringLiteral("Working..."));
    repaint();
    // The list is a cache: the directory is read only when it is empty.
    if (LIST_Items->count() == 0) {
        BUTTON_RefreshList->setEnabled(false);
        QStringList unused;
        QString noPrefix;
        ListWidgetControl list(LIST_Items);
        if (Enum_Accounts(Server_Argument(domain), enum_kind::Users, unused, false, noPrefix,
                          &list) > 0)
            Show_Neutral();
        else
            Fail_Task(NoUsersText);
        BUTTON_RefreshList->setEnabled(true);
    } else {
        Show_Neutral();
    }
    showItemCount();
}

void frmNTModUser::BUTTON_RefreshList_Click()
{
    LIST_Items->clear();
    BUTTON_List_Click();
}

void frmNTModUser::LIST_Items_Click()
{
    const QList<QListWidgetItem *> selected = LIST_Items->selectedItems();
    if (LIST_Items->count() > 0 && !selected.isEmpty())
        TEXT_ID->setText(selected.first()->text());
}

void frmNTModUser::LIST_Items_DblClick()
{
    LIST_Items_Click();
    BUTTON_PropertiesSet_Click();
}

// --- Reading the account --------------------------------------------------------------

int32_t frmNTModUser::readAccount(const QString &server, QVariantList &items,
                                  bool &cannotChange, bool &neverExpires, bool &disabled,
                                  bool &lockedOut)
{
    QString name = Trim_Blanks(TEXT_ID->text());
    cannotChange = neverExpires = disabled = lockedOut = false;
    return Get_AccountInfo(name, server, account_kind::User, items, false, cannotChange,
                           neverExpires, disabled, lockedOut);
}

void frmNTModUser::failRead(int32_t result)
{
    Fail_Task(QStringLiteral("Error, could not get the user account properties."),
              Get_ErrorText(result));
}

void frmNTModUser::showAccountFound() { Show_Hint(AccountFoundText); }

void frmNTModUser::BUTTON_PropertiesSet_Click()
{
    BUTTON_PropertiesSet->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Stamp->setText(QStringLiteral("Working..."));
    repaint();
    QString server;
    if (!findServer(server))
        return;
    Clear_Properties(false);
    PICTURE_List->setVisible(false);
    PICTURE_PropertiesView->setVisible(false);

    QVariantList items;
    bool cannotChange, neverExpires, disabled, lockedOut;
    const int32_t result =
        readAccount(server, items, cannotChange, neverExpires, disabled, lockedOut);
    if (result != directory_result::Success) {
        PICTURE_PropertiesSet->setVisible(false);
        failRead(result);
        return;
    }
    fillEditable(items, cannotChange, neverExpires, disabled, lockedOut);
    for (QPushButton *action : {BUTTON_Rename, BUTTON_Password, BUTTON_Apply})
        action->setEnabled(true);
    PICTURE_PropertiesSet->setVisible(true);
    showAccountFound();
}

void frmNTModUser::fillEditable(const QVariantList &items, bool cannotChange, bool neverExpires,
                                bool disabled, bool lockedOut)
{
    using namespace user_item;
    TEXT_UserFullName->setText(text(items, FullName));
    TEXT_UserDescription->setText(text(items, Comment));
    TEXT_UserComment->setText(text(items, UserComment));
    TEXT_UserLogonScript->setText(text(items, ScriptPath));
    CHECK_UserPasswordExpired->setChecked(flag(items, PasswordExpired));
    CHECK_UserPasswordNoChange->setChecked(cannotChange);
    CHECK_UserPasswordNoExpire->setChecked(neverExpires);
    CHECK_UserAccountDisabled->setChecked(disabled);
    // Grey while locked out: applying the flags releases the lock-out.
    CHECK_LockOut->setTristate(lockedOut);
    CHECK_LockOut->setCheckState(lockedOut ? Qt::PartiallyChecked : Qt::Unchecked);
    CHECK_LockOut->setEnabled(lockedOut);
}

void frmNTModUser::BUTTON_PropertiesView_Click()
{
    const QString shownDomain = domainText();
    BUTTON_PropertiesView->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;
    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Stamp->setText(QStringLiteral("Working..."));
    QString server;
    if (!findServer(server))
        return;
    Clear_Properties(false);
    PICTURE_List->setVisible(false);
    PICTURE_PropertiesSet->setVisible(false);

    QVariantList items;
    bool cannotChange, neverExpires, disabled, lockedOut;
    const int32_t result =
        readAccount(server, items, cannotChange, neverExpires, disabled, lockedOut);
    if (result != directory_result::Success) {
        PICTURE_PropertiesView->setVisible(false);
        failRead(result);
        return;
    }
    fillReadOnly(items);
    BUTTON_GetLL->setEnabled(true);

    // Every listed domain, the first included; List_UserGroups passes over
    // the one whose controller is the server of the run.
    QStringList otherDomains;
    for (int i = 0; i < COMBO_Domain->count(); ++i)
        otherDomains << COMBO_Domain->itemText(i);
    ListWidgetControl groups(LIST_Groups);
    List_UserGroups(groups, {Trim_Blanks(TEXT_ID->text()), server,
                             Trim_Blanks(COMBO_Domain->currentText()), shownDomain,
                             otherDomains, [this] { return letEventsRun(); }});
    PICTURE_PropertiesView->setVisible(true);
    showAccountFound();
}

void frmNTModUser::fillReadOnly(const QVariantList &items)
{
    using namespace user_item;
    LABEL_Misc[0]->setText(Date_Text(at(items, AccountExpires)));
    LABEL_Misc[1]->setText(Password_AgeText(number(items, PasswordAge)));
    LABEL_Misc[2]->setText(User_RightsText(text(items, Privilege), number(items, AuthFlags)));
    LABEL_Misc[3]->setText(Logon_ServerText(text(items, LogonServer)));
}

void frmNTModUser::BUTTON_GetLL_Click()
{
    seams::setPointer(seams::Pointer::Wait);
    QString server;
    if (!findServer(server))
        return;
    const LastLogon found = Find_LastLogon(
        Trim_Blanks(TEXT_ID->text()), LABEL_Misc[3]->text(), server,
        Trim_Blanks(COMBO_Domain->currentText()), [this](int remaining) {
            LABEL_Misc[4]->setText(QStringLiteral("Working...") + QString::number(remaining));
            return letEventsRun();
        });
    LABEL_Misc[4]->setText(LastLogon_Text(found));
    seams::setPointer(seams::Pointer::Default);
}

void frmNTModUser::BUTTON_WTS_Click()
{
    BUTTON_WTS->setFocus();
    Show_Neutral();
    if (!Check_Fields())
        return;
    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Stamp->setText(QStringLiteral("Working..."));
    QString server;
    if (!findServer(server))
        return;
    QString name = Trim_Blanks(TEXT_ID->text());
    const int32_t result = Check_Account(name, server, account_kind::User, false);
    if (result != directory_result::Success) {
        Fail_Task(QStringLiteral("Error, could not find the user account."),
                  Get_ErrorText(result));
        return;
    }
    if (const TerminalServerDialog &dialog = terminalServerDialog())
        dialog(this, server, name);
    Show_Neutral();
}
