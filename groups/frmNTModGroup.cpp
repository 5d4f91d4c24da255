#include "frmNTModGroup.h"

#include "GroupSettings.h"

#include "app/AppContext.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "ui/FieldText.h"
#include "ui/NamedWidget.h"
#include "ui/PictureBox.h"
#include "ui/ServerArgument.h"
#include "ui/TypedComboBox.h"

#include <QButtonGroup>
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

const QString Title = QStringLiteral("NT View/Modify Group");

QRadioButton *memberType(const char *caption, int index, QWidget *box)
{
    auto *option = named(new QRadioButton(QLatin1String(caption), box), "OPTION_MemberType");
    option->setProperty("index", index);
    return option;
}

QComboBox *memberDomainCombo()
{
    auto *combo = named(new QComboBox, "COMBO_MemberDomain");
    Make_TypedComboBox(combo);
    return combo;
}

PictureBox *memberTypeBox()
{
    auto *box = named(new PictureBox, "PICTURE_MemberType");
    box->setBorder(false);
    return box;
}

} // namespace

frmNTModGroup::frmNTModGroup(QWidget *parent)
    : TaskWindow({Title, true, -1}, parent),
      FRAME_GroupSettings(named(new QGroupBox(QStringLiteral(" NT Group Settings "), this),
                                "FRAME_GroupSettings")),
      OPTION_Global(named(new QRadioButton(QStringLiteral("&Global")), "OPTION_Global")),
      OPTION_Local(named(new QRadioButton(QStringLiteral("L&ocal")), "OPTION_Local")),
      BUTTON_List(named(new QPushButton(QStringLiteral("&List All Groups in Domain")),
                        "BUTTON_List")),
      LABEL_GroupName(named(new QLabel(QStringLiteral("Group Name:")), "LABEL_GroupName")),
      COMBO_GroupName(named(new QComboBox, "COMBO_GroupName")),
      LABEL_Description(named(new QLabel(QStringLiteral("Description:")), "LABEL_Description")),
      LABEL_Comment(named(new QLabel, "LABEL_Comment")),
      LABEL_GroupMembers(
          named(new QLabel(QStringLiteral("Group Members : 0")), "LABEL_GroupMembers")),
      LIST_Items(named(new QListWidget, "LIST_Items")),
      LABEL_MemberDomain(
          named(new QLabel(QStringLiteral("Member Domain:")), "LABEL_MemberDomain")),
      COMBO_MemberDomain(memberDomainCombo()),
      LABEL_MemberName(named(new QLabel(QStringLiteral("Name:")), "LABEL_MemberName")),
      TEXT_MemberName(named(new QLineEdit, "TEXT_MemberName")),
      PICTURE_MemberType(memberTypeBox()),
      OPTION_MemberType{memberType("User", MemberUser, PICTURE_MemberType),
                        memberType("Group", MemberGroup, PICTURE_MemberType)},
      BUTTON_AddMember(named(new QPushButton(QStringLiteral("&Add Group Member >")),
                             "BUTTON_AddMember")),
      BUTTON_DelMember(named(new QPushButton(QStringLiteral("&Remove Group Member <")),
                             "BUTTON_DelMember")),
      LABEL_Security(named(new QLabel(QStringLiteral(
                               "Depending on network traffic and object abundancy, the items "
                               "may take a few minutes to gather.")),
                           "LABEL_Security"))
{
    buildLayout();
    BUTTON_List->setToolTip(QStringLiteral("Enumerate Groups"));
    BUTTON_AddMember->setToolTip(QStringLiteral("Add the Following User"));
    BUTTON_DelMember->setToolTip(QStringLiteral("Remove Selected Users"));
    LIST_Items->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Two sets of option buttons, one inside the other's frame: each set is a
    // group of its own, or the toolkit would treat all four as one set.
    auto *kinds = new QButtonGroup(this);
    kinds->addButton(OPTION_Global);
    kinds->addButton(OPTION_Local);
    auto *memberTypes = new QButtonGroup(this);
    memberTypes->addButton(OPTION_MemberType[MemberUser]);
    memberTypes->addButton(OPTION_MemberType[MemberGroup]);
    OPTION_MemberType[MemberUser]->setChecked(true);
    connectHandlers();
    setGroupControlsEnabled(false);

    Form_Load(COMBO_MemberDomain);
}

void frmNTModGroup::buildLayout()
{
    LABEL_Security->setWordWrap(true);
    LABEL_Comment->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    LABEL_Comment->setMinimumWidth(200);
    auto *types = new QHBoxLayout(PICTURE_MemberType);
    types->setContentsMargins(0, 0, 0, 0);
    types->addWidget(OPTION_MemberType[MemberUser]);
    types->addWidget(OPTION_MemberType[MemberGroup]);

    auto *grid = new QGridLayout(FRAME_GroupSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1, 1, 2);
    grid->addWidget(OPTION_Global, 1, 1);
    grid->addWidget(OPTION_Local, 1, 2);
    grid->addWidget(BUTTON_List, 2, 1, 1, 2);
    grid->addWidget(LABEL_GroupName, 3, 0);
    grid->addWidget(COMBO_GroupName, 3, 1, 1, 2);
    grid->addWidget(LABEL_Description, 4, 0);
    grid->addWidget(LABEL_Comment, 4, 1, 1, 2);
    grid->addWidget(LABEL_GroupMembers, 5, 0, 1, 3);
    grid->addWidget(LIST_Items, 6, 0, 5, 2);
    grid->addWidget(LABEL_MemberDomain, 6, 2);
    grid->addWidget(COMBO_MemberDomain, 7, 2);
    grid->addWidget(LABEL_MemberName, 8, 2);
    grid->addWidget(TEXT_MemberName, 9, 2);
    grid->addWidget(PICTURE_MemberType, 10, 2);
    grid->addWidget(BUTTON_AddMember, 11, 2);
    grid->addWidget(BUTTON_DelMember, 11, 0, 1, 2);
    grid->addWidget(LABEL_Security, 12, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_GroupSettings);
    setContent(content);
}

void frmNTModGroup::connectHandlers()
{
    connect(OPTION_Global, &QRadioButton::clicked, this, &frmNTModGroup::OPTION_Global_Click);
    connect(OPTION_Local, &QRadioButton::clicked, this, &frmNTModGroup::OPTION_Local_Click);
    connectTask(BUTTON_List, &frmNTModGroup::BUTTON_List_Click);
    connectTask(COMBO_GroupName, &QComboBox::activated, &frmNTModGroup::COMBO_GroupName_Click);
    connectTask(BUTTON_AddMember, &frmNTModGroup::BUTTON_AddMember_Click);
    connectTask(BUTTON_DelMember, &frmNTModGroup::BUTTON_DelMember_Click);

    connect(COMBO_MemberDomain, &QComboBox::editTextChanged, this, [this] { Show_Neutral(); });
    connect(COMBO_MemberDomain, &QComboBox::activated, this, [this] { Show_Neutral(); });
    connect(TEXT_MemberName, &QLineEdit::textChanged, this, [this] { Show_Neutral(); });
    onFocus(
        COMBO_MemberDomain, [this] { setLabelFocused(LABEL_MemberDomain, true); },
        [this] { COMBO_MemberDomain_LostFocus(); });
    onFocus(
        COMBO_GroupName, [this] { setLabelFocused(LABEL_GroupName, true); },
        [this] { setLabelFocused(LABEL_GroupName, false); });
    onFocus(
        TEXT_MemberName,
        [this] {
            setLabelFocused(LABEL_MemberName, true);
            selectAll(TEXT_MemberName);
            Show_Neutral();
        },
        [this] {
            setLabelFocused(LABEL_MemberName, false);
            Show_Neutral();
        });

    connect(LIST_Items, &QListWidget::itemClicked, this, &frmNTModGroup::LIST_Items_Click);
    connect(LIST_Items, &QListWidget::currentRowChanged, this, [this] {
        if (LIST_Items->hasFocus())
            LIST_Items_Click();
    });
    connect(LIST_Items, &QListWidget::itemDoubleClicked, this,
            &frmNTModGroup::LIST_Items_DblClick);
    onEvent(LABEL_Comment, QEvent::MouseButtonRelease, [this] { LABEL_Comment_Click(); });
}

void frmNTModGroup::Load_Settings()
{
    using namespace group_settings;
    const QString lastDomain = GetSetting(Section, LastDomain);
    COMBO_Domain->setEditText(lastDomain);
    COMBO_MemberDomain->setEditText(Without_ServerPrefix(lastDomain));
    TEXT_MemberName->setText(GetSetting(Section, LastUserID));
    const bool global = GetSettingBool(Title, Global, true);
    OPTION_Global->setChecked(global);
    OPTION_Local->setChecked(!global);
}

void frmNTModGroup::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    using namespace group_settings;
    SaveSetting(Section, LastDomain, COMBO_Domain->currentText());
    SaveSettingBool(Title, Global, OPTION_Global->isChecked());
}

void frmNTModGroup::setGroupControlsEnabled(bool enabled)
{
    const QList<QWidget *> controls{LABEL_GroupName,    COMBO_GroupName,    LABEL_Description,
                                    LABEL_Comment,      LABEL_GroupMembers, LIST_Items,
                                    BUTTON_DelMember,   BUTTON_AddMember,   LABEL_MemberDomain,
                                    COMBO_MemberDomain, LABEL_MemberName,   TEXT_MemberName,
                                    OPTION_MemberType[MemberUser],
                                    OPTION_MemberType[MemberGroup]};
    for (QWidget *control : controls)
        control->setEnabled(enabled);
}

void frmNTModGroup::clearGroupView()
{
    COMBO_GroupName->clear();
    LIST_Items->clear();
    LABEL_GroupMembers->setText(QStringLiteral("Group Members : 0"));
    setGroupControlsEnabled(false);
}

void frmNTModGroup::copyDomainToMemberDomain()
{
    COMBO_MemberDomain->setEditText(Without_ServerPrefix(COMBO_Domain->currentText()));
}

void frmNTModGroup::showMemberCount()
{
    LABEL_GroupMembers->setText(QStringLiteral("Group Members : ") +
                                QString::number(LIST_Items->count()));
}

QString frmNTModGroup::serverArgument() const
{
    return Server_Argument(Trim_Blanks(COMBO_Domain->currentText()));
}

QString frmNTModGroup::groupName() const { return Trim_Blanks(COMBO_GroupName->currentText()); }

void frmNTModGroup::COMBO_Domain_Change()
{
    clearGroupView();
    TEXT_MemberName->clear();
    copyDomainToMemberDomain();
    TaskWindow::COMBO_Domain_Change();
}

void frmNTModGroup::COMBO_Domain_Click()
{
    clearGroupView();
    TEXT_MemberName->clear();
    copyDomainToMemberDomain();
    TaskWindow::COMBO_Domain_Click();
}

void frmNTModGroup::OPTION_Global_Click()
{
    clearGroupView();
    copyDomainToMemberDomain();
    Show_Neutral();
}

void frmNTModGroup::OPTION_Local_Click()
{
    clearGroupView();
    Show_Neutral();
}

void frmNTModGroup::COMBO_MemberDomain_LostFocus()
{
    setLabelFocused(LABEL_MemberDomain, false);
    const QString text = COMBO_MemberDomain->currentText();
    const QString cased = Domain_Case(text);
    if (cased != text)
        COMBO_MemberDomain->setEditText(cased);
}

// A listed member names the member fields: DOMAIN\name splits at its first
// backslash; a plain name belongs to the window's domain.
void frmNTModGroup::LIST_Items_Click()
{
    if (LIST_Items->count() == 0 || !LIST_Items->currentItem())
        return;
    const QString entry = LIST_Items->currentItem()->text();
    const qsizetype slash = entry.indexOf(u'\\');
    if (slash >= 0) {
        COMBO_MemberDomain->setEditText(entry.left(slash));
        TEXT_MemberName->setText(entry.mid(slash + 1));
    } else {
        COMBO_MemberDomain->setEditText(COMBO_Domain->currentText());
        TEXT_MemberName->setText(entry);
    }
}

void frmNTModGroup::LIST_Items_DblClick()
{
    if (LIST_Items->count() == 0 || !LIST_Items->currentItem())
        return;
    seams::messageBox(QStringLiteral("Group Member : ") + LIST_Items->currentItem()->text(),
                      seams::OkOnly, seams::Information,
                      AppTitle + QStringLiteral(" : Group Member"));
}

void frmNTModGroup::LABEL_Comment_Click()
{
    if (LABEL_Comment->text().isEmpty())
        return;
    seams::messageBox(QStringLiteral("Group Description: ") + LABEL_Comment->text(),
                      seams::OkOnly, seams::Information,
                      AppTitle + QStringLiteral(" : Group Description"));
}
