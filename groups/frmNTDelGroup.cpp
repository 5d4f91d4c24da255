#include "frmNTDelGroup.h"

#include "GroupSettings.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "directory/AccountEnumeration.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/ServerResolution.h"
#include "ui/FieldText.h"
#include "ui/ListSelection.h"
#include "ui/NamedWidget.h"
#include "ui/ServerArgument.h"
#include "ui/ShowResult.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("NT Delete Group");
const QString GroupHint =
    QStringLiteral("Input the group name.  The name must be present in the above domain.");

// The names typed: one name, or the pieces between commas, each trimmed, in
// the order typed; an empty piece stays (the delete command then reports it).
QStringList nameList(const QString &names)
{
    if (!names.contains(u','))
        return {names};
    QStringList pieces = names.split(u',');
    for (QString &piece : pieces)
        piece = Trim_Blanks(piece);
    return pieces;
}

void removeEvery(QListWidget *list, const QString &name)
{
    for (int row = list->count() - 1; row >= 0; --row) {
        if (list->item(row)->text() == name)
            delete list->takeItem(row);
    }
}

} // namespace

frmNTDelGroup::frmNTDelGroup(QWidget *parent)
    : TaskWindow({Title, true, -1}, parent),
      FRAME_GroupSettings(named(new QGroupBox(QStringLiteral(" NT Group Settings "), this),
                                "FRAME_GroupSettings")),
      LABEL_GroupName(named(new QLabel(QStringLiteral("Group Name:")), "LABEL_GroupName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      OPTION_Global(named(new QRadioButton(QStringLiteral("&Global")), "OPTION_Global")),
      OPTION_Local(named(new QRadioButton(QStringLiteral("L&ocal")), "OPTION_Local")),
      BUTTON_List(named(new QPushButton(QStringLiteral("&List All Groups in Domain")),
                        "BUTTON_List")),
      LIST_Items(named(new QListWidget, "LIST_Items")),
      LABEL_Items(named(new QLabel(QStringLiteral("Items : 0")), "LABEL_Items")),
      LABEL_Security(named(new QLabel(QStringLiteral(
                               "Depending on network traffic and object abundancy, the items "
                               "may take a few minutes to gather.")),
                           "LABEL_Security")),
      BUTTON_Delete(named(new QPushButton(QStringLiteral("&Delete")), "BUTTON_Delete"))
{
    buildLayout();
    BUTTON_List->setToolTip(QStringLiteral("Enumerate Groups"));
    BUTTON_Delete->setToolTip(QStringLiteral("Delete From Domain"));
    LIST_Items->setSelectionMode(QAbstractItemView::ExtendedSelection);
    onEvent(LIST_Items, QEvent::KeyRelease, [this] { LIST_Items_Selected(); });
    onEvent(LIST_Items->viewport(), QEvent::MouseButtonRelease, [this] { LIST_Items_Selected(); });

    addTextField(TEXT_ID, LABEL_GroupName, GroupHint);
    connect(OPTION_Global, &QRadioButton::clicked, this, &frmNTDelGroup::OPTION_Click);
    connect(OPTION_Local, &QRadioButton::clicked, this, &frmNTDelGroup::OPTION_Click);
    connectTask(BUTTON_List, &frmNTDelGroup::BUTTON_List_Click);
    connectTask(BUTTON_Delete, &frmNTDelGroup::BUTTON_Delete_Click);

    Form_Load();
}

void frmNTDelGroup::buildLayout()
{
    LABEL_Security->setWordWrap(true);
    auto *grid = new QGridLayout(FRAME_GroupSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1, 1, 3);
    grid->addWidget(LABEL_GroupName, 1, 0);
    grid->addWidget(TEXT_ID, 1, 1, 1, 3);
    grid->addWidget(OPTION_Global, 2, 1);
    grid->addWidget(OPTION_Local, 2, 2);
    grid->addWidget(BUTTON_List, 3, 1, 1, 3);
    grid->addWidget(LIST_Items, 4, 1, 1, 3);
    grid->addWidget(LABEL_Items, 5, 1, 1, 3);
    grid->addWidget(LABEL_Security, 6, 1, 1, 3);
    grid->setColumnStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Delete);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_GroupSettings);
    content->addLayout(buttons);
    setContent(content);
}

void frmNTDelGroup::Load_Settings()
{
    using namespace group_settings;
    COMBO_Domain->setEditText(GetSetting(Section, LastDomain));
    TEXT_ID->setText(GetSetting(Section, LastGroupID));
    const bool global = GetSettingBool(Title, Global, true);
    OPTION_Global->setChecked(global);
    OPTION_Local->setChecked(!global);
}

void frmNTDelGroup::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    using namespace group_settings;
    SaveSetting(Section, LastDomain, COMBO_Domain->currentText());
    SaveSetting(Section, LastGroupID, TEXT_ID->text());
    SaveSettingBool(Title, Global, OPTION_Global->isChecked());
}

void frmNTDelGroup::COMBO_Domain_Change()
{
    LIST_Items->clear();
    TaskWindow::COMBO_Domain_Change();
    showItemCount();
}

void frmNTDelGroup::COMBO_Domain_Click()
{
    LIST_Items->clear();
    TaskWindow::COMBO_Domain_Click();
    showItemCount();
}

// The list belongs to the other kind of group now; its count stays until
// the next listing.
void frmNTDelGroup::OPTION_Click()
{
    LIST_Items->clear();
    Show_Neutral();
}

void frmNTDelGroup::showItemCount()
{
    Show_ItemCount(LABEL_Items, LIST_Items);
}

void frmNTDelGroup::LIST_Items_Selected()
{
    seams::setPointer(seams::Pointer::Wait);
    TEXT_ID->setText(Selected_Entries(LIST_Items));
    seams::setPointer(seams::Pointer::Default);
}

bool frmNTDelGroup::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(COMBO_Domain,
                            QStringLiteral("Please specify the NT domain for the group."),
                            QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(TEXT_ID, QStringLiteral("Please specify a group name."),
                            QStringLiteral(" : Missing Group Name"));
    return true;
}

void frmNTDelGroup::BUTTON_List_Click()
{
    BUTTON_List->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    if (domain.isEmpty()) {
        Refuse_Field(COMBO_Domain, QStringLiteral("Please specify the NT domain for the group."),
                     QStringLiteral(" : Missing Domain"));
        return;
    }

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Items->setText(QStringLiteral("Working..."));
    LIST_Items->clear();
    QStringList groups;
    QString noPrefix;
    const int32_t count = Enum_Accounts(Server_Argument(domain), enum_kind::Groups, groups,
                                        OPTION_Local->isChecked(), noPrefix);
    if (count > 0) {
        LIST_Items->addItems(groups);
        Show_Neutral();
    } else {
        Show_Result(*this, QStringLiteral("Error, no groups exist within the specified domain."),
                    false, false, {}, {}, {});
    }
    showItemCount();
}

void frmNTDelGroup::BUTTON_Delete_Click()
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
            ? QStringLiteral("You are about to delete several groups.\n\nAre you Sure?")
            : QStringLiteral("You are about to delete group : ") + names +
                  QStringLiteral("\n\nAre you Sure?");
    if (seams::messageBox(question, seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Please Confirm")) != seams::Yes)
        return;

    m_taskAttempted = true;
    showWorking();
    QStringList list = nameList(names);

    QString server = Server_Argument(domain);
    if (!Is_ServerName(domain)) {
        server = Get_DCName(domain, {});
        if (server.isEmpty())
            return Fail_Task(QStringLiteral("Network connection error."),
                             QStringLiteral("The domain specified does not exist, or the domain "
                                            "controllers are down."));
    }

    int32_t result = directory_result::Success;
    QString failed;
    for (QString &name : list) {
        result = Execute_Command(QStringLiteral("NT Delete Group.01"), name, server,
                                 {OPTION_Local->isChecked()});
        if (result != directory_result::Success) {
            failed = name;
            break;
        }
        removeEvery(LIST_Items, name);
    }

    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Result(*this,
                    QStringLiteral("Error, could not delete group - ") + failed +
                        QStringLiteral("\n\n") + words,
                    false, false, target, Title, target + u'\\' + failed, words);
    } else {
        Show_Result(*this,
                    QStringLiteral("Group(s) have been successfully deleted from ") + domain +
                        u'.',
                    true, false, target, Title, target + u'\\' + list.first());
    }
    showItemCount();
}
