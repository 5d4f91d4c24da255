#include "frmNTModComputer.h"

#include "NetworkMap.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "directory/AccountEnumeration.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/ServerResolution.h"
#include "ui/FieldText.h"
#include "ui/ListSelection.h"
#include "ui/NamedWidget.h"
#include "ui/ShowResult.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("NT View/Modify Computer Account");
const QString ComputerHint =
    QStringLiteral("Input the computer name.  The name must be present in the above domain.");
const QString DomainDown = QStringLiteral(
    "The domain specified does not exist, or the domain controllers are down.");
const QString NotAWorkstation =
    QStringLiteral("Cannot modify a workstation, only a domain computer account.");
const QString CouldNotModify = QStringLiteral("Error, could not modify the computer account.");
// The comment, where the add window keeps the user link.
constexpr int CommentValue = 5;

QPushButton *button(const char *name, const QString &caption, const QString &tip)
{
    auto *control = named(new QPushButton(caption), name);
    control->setToolTip(tip);
    return control;
}

} // namespace

frmNTModComputer::frmNTModComputer(QWidget *parent)
    : ComputerTaskWindow({Title, false, -1}, parent),
      FRAME_ComputerSettings(named(
          new QGroupBox(QStringLiteral(" NT Computer Account Settings "), this),
          "FRAME_ComputerSettings")),
      LABEL_ComputerName(
          named(new QLabel(QStringLiteral("Computer Name:")), "LABEL_ComputerName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      BUTTON_List(button("BUTTON_List", QStringLiteral("&List All Comp. in Domain"),
                         QStringLiteral("Enumerate Machines"))),
      BUTTON_Properties(button("BUTTON_Properties", QStringLiteral("Computer &Properties"),
                               QStringLiteral("View Properties"))),
      BUTTON_Share(button("BUTTON_Share", QStringLiteral("&More Comp Properties"),
                          QStringLiteral("Get Properties"))),
      PICTURE_List(named(new QWidget, "PICTURE_List")),
      LIST_Items(named(new QListWidget, "LIST_Items")),
      LABEL_Items(named(new QLabel(QStringLiteral("Items : 0")), "LABEL_Items")),
      LABEL_Security(named(new QLabel(QStringLiteral(
                               "Depending on network traffic and object abundancy, the items "
                               "may take a few minutes to gather.")),
                           "LABEL_Security")),
      BUTTON_RefreshList(named(new QPushButton(QStringLiteral("< Refresh >")),
                               "BUTTON_RefreshList")),
      PICTURE_Properties(named(new QWidget, "PICTURE_Properties")),
      LABEL_UserLink(named(new QLabel(QStringLiteral(
                               "For security purposes, a valid User Account must be linked to "
                               "the Computer Account.  This field is known as the User Link "
                               "below.")),
                           "LABEL_UserLink")),
      LABEL_ComputerDescription(
          named(new QLabel(QStringLiteral("User Link:")), "LABEL_ComputerDescription")),
      TEXT_ComputerDescription(named(new QLineEdit, "TEXT_ComputerDescription")),
      BUTTON_Apply(button("BUTTON_Apply", QStringLiteral("&Apply"),
                          QStringLiteral("Apply Modifications"))),
      BUTTON_Rename(button("BUTTON_Rename", QStringLiteral("&Rename..."),
                           QStringLiteral("Rename Account"))),
      BUTTON_Resync(button("BUTTON_Resync", QStringLiteral("Resyn&c"),
                           QStringLiteral("Resync Account"))),
      PICTURE_Share(named(new QWidget, "PICTURE_Share")),
      LIST_Shares(named(new QListWidget, "LIST_Shares")),
      LABEL_More{named(new QLabel(QStringLiteral("Shared Device List")), "LABEL_More_0"),
                 named(new QLabel(QStringLiteral("Share Type:")), "LABEL_More_1"),
                 named(new QLabel(QStringLiteral("Share Description:")), "LABEL_More_2")},
      LABEL_MoreProp{named(new QLabel, "LABEL_MoreProp_0"), named(new QLabel, "LABEL_MoreProp_1")}
{
    buildLayout();
    LIST_Items->setSortingEnabled(true);
    addTextField(TEXT_ID, LABEL_ComputerName, ComputerHint, true);
    connect(TEXT_ID, &QLineEdit::textChanged, this, &frmNTModComputer::TEXT_ID_Change);
    onFocus(
        TEXT_ComputerDescription,
        [this] {
            setLabelFocused(LABEL_ComputerDescription, true);
            selectAll(TEXT_ComputerDescription);
        },
        [this] {
            setLabelFocused(LABEL_ComputerDescription, false);
            Show_Neutral();
        });
    connect(TEXT_ComputerDescription, &QLineEdit::textChanged, this, [this] {
        if (inResultMode())
            Show_Neutral();
    });
    connect(LIST_Items, &QListWidget::itemClicked, this, &frmNTModComputer::LIST_Items_Click);
    connectTask(LIST_Items, &QListWidget::itemDoubleClicked,
                &frmNTModComputer::LIST_Items_DblClick);
    connect(LIST_Shares, &QListWidget::itemClicked, this, &frmNTModComputer::LIST_Shares_Click);
    connectTask(BUTTON_List, &frmNTModComputer::BUTTON_List_Click);
    connectTask(BUTTON_RefreshList, &frmNTModComputer::BUTTON_RefreshList_Click);
    connectTask(BUTTON_Properties, &frmNTModComputer::BUTTON_Properties_Click);
    connectTask(BUTTON_Rename, &frmNTModComputer::BUTTON_Rename_Click);
    connectTask(BUTTON_Apply, &frmNTModComputer::BUTTON_Apply_Click);
    connectTask(BUTTON_Resync, &frmNTModComputer::BUTTON_Resync_Click);
    connectTask(BUTTON_Share, &frmNTModComputer::BUTTON_Share_Click);

    BUTTON_Properties->setEnabled(false);
    BUTTON_Share->setEnabled(false);
    Clear_Properties(false);
    showPanel(PICTURE_List);
    Form_Load();
}

void frmNTModComputer::buildLayout()
{
    auto *grid = new QGridLayout(FRAME_ComputerSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1);
    grid->addWidget(LABEL_ComputerName, 1, 0);
    grid->addWidget(TEXT_ID, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BUTTON_List);
    buttons->addWidget(BUTTON_Properties);
    buttons->addWidget(BUTTON_Share);
    grid->addLayout(buttons, 2, 1);
    grid->addWidget(buildListPanel(), 3, 0, 1, 2);
    grid->addWidget(buildPropertiesPanel(), 4, 0, 1, 2);
    grid->addWidget(buildSharePanel(), 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_ComputerSettings);
    setContent(content);
}

QWidget *frmNTModComputer::buildListPanel()
{
    LABEL_Security->setWordWrap(true);
    auto *layout = new QGridLayout(PICTURE_List);
    layout->addWidget(LIST_Items, 0, 0, 1, 2);
    layout->addWidget(LABEL_Items, 1, 0);
    layout->addWidget(BUTTON_RefreshList, 1, 1);
    layout->addWidget(LABEL_Security, 2, 0, 1, 2);
    return PICTURE_List;
}

QWidget *frmNTModComputer::buildPropertiesPanel()
{
    LABEL_UserLink->setWordWrap(true);
    auto *layout = new QGridLayout(PICTURE_Properties);
    layout->addWidget(LABEL_UserLink, 0, 0, 1, 2);
    layout->addWidget(LABEL_ComputerDescription, 1, 0);
    layout->addWidget(TEXT_ComputerDescription, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Apply);
    buttons->addWidget(BUTTON_Rename);
    buttons->addWidget(BUTTON_Resync);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return PICTURE_Properties;
}

QWidget *frmNTModComputer::buildSharePanel()
{
    auto *layout = new QGridLayout(PICTURE_Share);
    layout->addWidget(LABEL_More[0], 0, 0);
    layout->addWidget(LIST_Shares, 1, 0, 4, 1);
    layout->addWidget(LABEL_More[1], 1, 1);
    layout->addWidget(LABEL_MoreProp[1], 2, 1);
    layout->addWidget(LABEL_More[2], 3, 1);
    layout->addWidget(LABEL_MoreProp[0], 4, 1);
    LABEL_MoreProp[0]->setWordWrap(true);
    layout->setColumnStretch(1, 1);
    return PICTURE_Share;
}

void frmNTModComputer::Load_Settings() { loadLastComputer(TEXT_ID); }

void frmNTModComputer::Save_Settings()
{
    if (m_taskAttempted)
        saveLastComputer(TEXT_ID);
}

void frmNTModComputer::COMBO_Domain_Click()
{
    ComputerTaskWindow::COMBO_Domain_Click();
    Clear_Properties(true);
}

void frmNTModComputer::TEXT_ID_Change()
{
    const bool named = !Trim_Blanks(TEXT_ID->text()).isEmpty();
    BUTTON_Properties->setEnabled(named);
    BUTTON_Share->setEnabled(named);
}

void frmNTModComputer::LIST_Items_Click()
{
    if (LIST_Items->count() > 0 && LIST_Items->currentItem())
        TEXT_ID->setText(LIST_Items->currentItem()->text());
}

void frmNTModComputer::LIST_Items_DblClick()
{
    LIST_Items_Click();
    BUTTON_Properties_Click();
}

void frmNTModComputer::Clear_Properties(bool emptyList)
{
    TEXT_ComputerDescription->clear();
    BUTTON_Rename->setEnabled(false);
    BUTTON_Resync->setEnabled(false);
    BUTTON_Apply->setEnabled(false);
    if (emptyList)
        LIST_Items->clear();
    showItemCount();
    repaint();
}

void frmNTModComputer::showItemCount()
{
    Show_ItemCount(LABEL_Items, LIST_Items);
}

void frmNTModComputer::showPanel(QWidget *panel)
{
    for (QWidget *each : {PICTURE_List, PICTURE_Properties, PICTURE_Share})
        each->setVisible(each == panel);
}

bool frmNTModComputer::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(
            COMBO_Domain, QStringLiteral("Please specify the NT domain for the computer account."),
            QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(TEXT_ID, QStringLiteral("Please specify a computer name."),
                            QStringLiteral(" : Missing Computer Name"));
    return true;
}

QString frmNTModComputer::controllerFor(const QString &domain, const QString &workstationRefusal)
{
    if (domain.startsWith(QStringLiteral("\\\\"))) {
        Fail_Task(workstationRefusal);
        return {};
    }
    const QString controller = Get_DCName(domain, {});
    if (controller.isEmpty())
        Fail_Task(QStringLiteral("Network connection error."), DomainDown);
    return controller;
}

void frmNTModComputer::BUTTON_List_Click()
{
    QString domain;
    if (!startListing(BUTTON_List,
                      QStringLiteral("Please specify the NT domain for the computer accounts."),
                      QStringLiteral(" : Missing Domain"), domain))
        return;

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    showPanel(PICTURE_List);
    LABEL_Items->setText(QStringLiteral("Working..."));
    repaint();
    // The list is kept between listings: only an empty one is filled anew.
    if (LIST_Items->count() > 0) {
        Show_Neutral();
    } else {
        BUTTON_RefreshList->setEnabled(false);
        QStringList computers;
        QString noPrefix;
        if (Enum_Accounts(domain, enum_kind::Computers, computers, false, noPrefix) > 0) {
            LIST_Items->addItems(computers);
            Show_Neutral();
        } else {
            Fail_Task(QStringLiteral("Error, no computer accounts exist within the specified "
                                     "domain."));
        }
        BUTTON_RefreshList->setEnabled(true);
    }
    showItemCount();
}

void frmNTModComputer::BUTTON_RefreshList_Click()
{
    LIST_Items->clear();
    BUTTON_List_Click();
}

void frmNTModComputer::BUTTON_Properties_Click()
{
    BUTTON_Properties->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    m_taskAttempted = true;
    showWorking();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString controller = controllerFor(
        domain,
        QStringLiteral("Cannot get propeties for a workstation, only a domain computer account."));
    if (controller.isEmpty())
        return;
    Clear_Properties(false);
    PICTURE_List->setVisible(false);
    PICTURE_Share->setVisible(false);

    QString name = Trim_Blanks(TEXT_ID->text());
    QVariantList values;
    bool unused = false;
    const int32_t result = Get_AccountInfo(name, controller, account_kind::Computer, values,
                                           false, unused, unused, unused, unused);
    if (result != directory_result::Success) {
        PICTURE_Properties->setVisible(true);
        return Fail_Task(QStringLiteral("Error, could not get the computer properties."),
                         Get_ErrorText(result));
    }
    TEXT_ComputerDescription->setText(values.value(CommentValue).toString());
    for (QPushButton *change : {BUTTON_Rename, BUTTON_Resync, BUTTON_Apply})
        change->setEnabled(true);
    const bool online = Is_Online(Trim_Blanks(TEXT_ID->text()));
    PICTURE_Properties->setVisible(true);
    Show_Result(*this,
                title() + QStringLiteral(". \n\nComputer account found and properties "
                                         "displayed.\n\n") +
                    (online ? QStringLiteral("Workstation ONLINE")
                            : QStringLiteral("Workstation OFFLINE")),
                false, true, {}, {}, {});
}

void frmNTModComputer::BUTTON_Rename_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString old = Trim_Blanks(TEXT_ID->text());
    BUTTON_Rename->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    const QString answer = seams::inputBox(
        QStringLiteral("Warning : Changing the computer account name may require a resync "
                       "within the Domain. \n\nEnter the new name for the Account..."),
        AppTitle + QStringLiteral(" : Rename"), old);
    // "WS02$" is taken as WS02: the directory adds the account's "$" itself.
    const QString wanted = Without_AccountMark(Trim_Blanks(answer));
    if (wanted.isEmpty() || wanted == old)
        return;

    showWorking();
    const QString controller = controllerFor(domain, NotAWorkstation);
    if (controller.isEmpty())
        return;
    QString name = old;
    QString renamed = wanted;
    const int32_t result = Execute_Command(QStringLiteral("NT View/Modify Computer Account.02"),
                                           name, controller, {renamed});
    const QString object = domain + u'\\' + old;
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Result(*this, CouldNotModify + QStringLiteral("\n\n") + words, false, false, domain,
                    Title, object, QStringLiteral("Rename"), wanted, words);
        return;
    }
    TEXT_ID->setText(wanted);
    BUTTON_Properties_Click();
    showWorking();
    Show_Result(*this,
                old + QStringLiteral("\ncomputer account has been successfully renamed to\n") +
                    wanted,
                true, false, domain, Title, object, QStringLiteral("Rename"), wanted);
}

void frmNTModComputer::BUTTON_Apply_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    QString name = Trim_Blanks(TEXT_ID->text());
    BUTTON_Apply->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    showWorking();
    const QString controller = controllerFor(domain, NotAWorkstation);
    if (controller.isEmpty())
        return;

    const QString link = Trim_Blanks(TEXT_ComputerDescription->text());
    const QString shown = name;
    const int32_t result = Execute_Command(QStringLiteral("NT View/Modify Computer Account.01"),
                                           name, controller, {link});
    const QString object = domain + u'\\' + shown;
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Result(*this, CouldNotModify + QStringLiteral("\n\n") + words, false, false, domain,
                    Title, object, words);
        return;
    }
    Show_Result(*this,
                shown + QStringLiteral("\ncomputer account has been successfully modified."),
                true, false, domain, Title, object, link);
}
