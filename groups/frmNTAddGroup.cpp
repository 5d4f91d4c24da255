#include "frmNTAddGroup.h"

#include "GroupSettings.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/ServerResolution.h"
#include "ui/CheckName.h"
#include "ui/FieldText.h"
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
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString Title = QStringLiteral("NT Add Group");
const QString GroupHint = QStringLiteral(
    "Input the group name.  The group name must be unique across all NT trusted domains.");
const QString DescriptionHint = QStringLiteral("Input a brief group description.");
constexpr int AddGroupWindow = 2;

} // namespace

frmNTAddGroup::frmNTAddGroup(QWidget *parent)
    : TaskWindow({Title, true, AddGroupWindow}, parent),
      FRAME_GroupSettings(named(new QGroupBox(QStringLiteral(" NT Group Settings "), this),
                                "FRAME_GroupSettings")),
      LABEL_GroupName(named(new QLabel(QStringLiteral("Group Name:")), "LABEL_GroupName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      LABEL_GroupDescription(
          named(new QLabel(QStringLiteral("Description:")), "LABEL_GroupDescription")),
      TEXT_GroupDescription(named(new QLineEdit, "TEXT_GroupDescription")),
      LABEL_Security(named(new QLabel(QStringLiteral("For security purposes, enter some brief "
                                                     "information describing the group.")),
                           "LABEL_Security")),
      OPTION_Global(named(new QRadioButton(QStringLiteral("&Global")), "OPTION_Global")),
      OPTION_Local(named(new QRadioButton(QStringLiteral("L&ocal")), "OPTION_Local")),
      CHECK_Unique(
          named(new QCheckBox(QStringLiteral("Must use a unique group name")), "CHECK_Unique")),
      BUTTON_Add(named(new QPushButton(QStringLiteral("&Add")), "BUTTON_Add"))
{
    buildLayout();
    BUTTON_Add->setToolTip(QStringLiteral("Add to Domain"));

    addTextField(TEXT_ID, LABEL_GroupName, GroupHint);
    addTextField(TEXT_GroupDescription, LABEL_GroupDescription, DescriptionHint);
    connect(OPTION_Global, &QRadioButton::clicked, this, [this] { Show_Neutral(); });
    connect(OPTION_Local, &QRadioButton::clicked, this, [this] { Show_Neutral(); });
    connectTask(BUTTON_Add, &frmNTAddGroup::BUTTON_Add_Click);

    Form_Load();
}

void frmNTAddGroup::buildLayout()
{
    LABEL_Security->setWordWrap(true);
    auto *grid = new QGridLayout(FRAME_GroupSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1, 1, 3);
    grid->addWidget(LABEL_GroupName, 1, 0);
    grid->addWidget(TEXT_ID, 1, 1, 1, 3);
    grid->addWidget(LABEL_GroupDescription, 2, 0);
    grid->addWidget(TEXT_GroupDescription, 2, 1, 1, 3);
    grid->addWidget(LABEL_Security, 3, 1, 1, 3);
    grid->addWidget(OPTION_Global, 4, 1);
    grid->addWidget(OPTION_Local, 4, 2);
    grid->addWidget(CHECK_Unique, 5, 1, 1, 3);
    grid->setColumnStretch(3, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Add);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_GroupSettings);
    content->addLayout(buttons);
    setContent(content);
}

void frmNTAddGroup::Load_Settings()
{
    using namespace group_settings;
    COMBO_Domain->setEditText(GetSetting(Section, LastDomain));
    TEXT_ID->setText(GetSetting(Section, LastGroupID));
    const bool global = GetSettingBool(Title, Global, true);
    OPTION_Global->setChecked(global);
    OPTION_Local->setChecked(!global);
    CHECK_Unique->setChecked(GetSettingInt(Title, Unique, 1) != 0);
}

void frmNTAddGroup::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    using namespace group_settings;
    SaveSetting(Section, LastDomain, COMBO_Domain->currentText());
    SaveSetting(Section, LastGroupID, TEXT_ID->text());
    SaveSettingBool(Title, Global, OPTION_Global->isChecked());
    SaveSettingInt(Title, Unique, CHECK_Unique->isChecked() ? 1 : 0);
}

bool frmNTAddGroup::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(COMBO_Domain,
                            QStringLiteral("Please specify the NT domain for the group."),
                            QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(TEXT_ID, QStringLiteral("Please specify a group name."),
                            QStringLiteral(" : Missing Group Name"));
    if (Trim_Blanks(TEXT_GroupDescription->text()).isEmpty())
        return Refuse_Field(TEXT_GroupDescription,
                            QStringLiteral("Please specify a brief description of the group."),
                            QStringLiteral(" : Missing Description"));
    if (!Check_Name(TEXT_ID->text(), true, true, true, false, NameExtraCharacters))
        return Refuse_Field(
            TEXT_ID,
            QStringLiteral("The group name format is incorrect or contains illegal characters."),
            QStringLiteral(" : Incorrect Group Name"));
    return true;
}

void frmNTAddGroup::BUTTON_Add_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    QString group = Trim_Blanks(TEXT_ID->text());
    BUTTON_Add->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    m_taskAttempted = true;
    showWorking();
    ProgressIndicator &progress = appContext().SharedProgress();
    const int entries = std::max(COMBO_Domain->count(), 1);
    const auto step = int32_t(std::nearbyint(double(progress.max()) / entries));

    QString server;
    if (Is_ServerName(domain)) {
        server = Server_Argument(domain);
    } else {
        server = Get_DCName(domain, {});
        if (server.isEmpty())
            return Fail_Task(QStringLiteral("Network connection error."),
                             QStringLiteral("The domain specified does not exist, or the domain "
                                            "controllers are down."));
        if (CHECK_Unique->isChecked() && !Search_Name(group, server, step))
            return;
    }
    progress.setValue(progress.max() - step);
    if (!letEventsRun())
        return;

    const QString description = Trim_Blanks(TEXT_GroupDescription->text());
    const int32_t result = Execute_Command(QStringLiteral("NT Add Group.01"), group, server,
                                           {description, OPTION_Local->isChecked()});
    progress.setValue(progress.value() + step);

    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    const QString object = target + u'\\' + group;
    if (result == directory_result::Success) {
        Show_Result(*this,
                    group + QStringLiteral("\ngroup has been successfully added to ") + target +
                        u'.',
                    true, false, target, Title, object, TEXT_GroupDescription->text());
    } else {
        const QString words = Get_ErrorText(result);
        Show_Result(*this, QStringLiteral("Error, could not add the group.\n\n") + words, false,
                    false, target, Title, object, words);
    }
}

// The target is asked through its controller, then every listed domain but
// the first by name, in list order; a domain that cannot be reached stops
// the task, since uniqueness could not be proved.
bool frmNTAddGroup::Search_Name(const QString &group, const QString &server, int32_t step)
{
    const bool local = OPTION_Local->isChecked();
    QString name = group;
    bool taken = Check_Account(name, server, account_kind::Group, local) == 0;
    ProgressIndicator &progress = appContext().SharedProgress();
    for (int index = 1; !taken && index < COMBO_Domain->count(); ++index) {
        const QString entry = COMBO_Domain->itemText(index);
        const int32_t result =
            Check_Account(name, Server_Argument(entry), account_kind::Group, local);
        if (Is_Unreachable(result)) {
            Fail_Task(QStringLiteral("Error, could not add the group."),
                      entry + QStringLiteral(" domain controller is down.  This function "
                                             "requires that all trusted domains are active."));
            return false;
        }
        progress.setValue(progress.value() + step);
        if (!letEventsRun())
            return false;
        taken = result == 0;
    }
    if (!taken)
        return true;
    Fail_Task(QStringLiteral("Error could not add the group."),
              QStringLiteral("The group already exist within the trusted NT domains."));
    return false;
}
