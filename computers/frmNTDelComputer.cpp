#include "frmNTDelComputer.h"

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
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("NT Delete Computer Account");
const QString ComputerHint =
    QStringLiteral("Input the computer name.  The name must be present in the above domain.");
const QString MissingDomain =
    QStringLiteral("Please specify the NT domain for the computer account.");
const QString DomainDown = QStringLiteral(
    "The domain specified does not exist, or the domain controllers are down.");
// The comment, where the add window keeps the user link.
constexpr int CommentValue = 5;

// One name, or the pieces between commas, each trimmed, in the order typed;
// an empty piece stays (the delete command then reports it).
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

frmNTDelComputer::frmNTDelComputer(QWidget *parent)
    : ComputerTaskWindow({Title, false, -1}, parent),
      FRAME_ComputerAccountSettings(named(
          new QGroupBox(QStringLiteral(" NT Computer Account Settings "), this),
          "FRAME_ComputerAccountSettings")),
      LABEL_ComputerName(
          named(new QLabel(QStringLiteral("Computer Name:")), "LABEL_ComputerName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      BUTTON_List(named(new QPushButton(QStringLiteral("&List All Comp. in Domain")),
                        "BUTTON_List")),
      LIST_Items(named(new QListWidget, "LIST_Items")),
      LABEL_Items(named(new QLabel(QStringLiteral("Items : 0")), "LABEL_Items")),
      LABEL_Security(named(new QLabel(QStringLiteral(
                               "Depending on network traffic and object abundancy, the items "
                               "may take a few minutes to gather.")),
                           "LABEL_Security")),
      BUTTON_CheckProp(named(new QPushButton(QStringLiteral("Who?")), "BUTTON_CheckProp")),
      BUTTON_Delete(named(new QPushButton(QStringLiteral("&Delete")), "BUTTON_Delete"))
{
    buildLayout();
    BUTTON_List->setToolTip(QStringLiteral("Enumerate Machines"));
    BUTTON_CheckProp->setToolTip(QStringLiteral("Check Properties"));
    BUTTON_Delete->setToolTip(QStringLiteral("Delete From Domain"));
    LIST_Items->setSortingEnabled(true);
    LIST_Items->setSelectionMode(QAbstractItemView::ExtendedSelection);
    onEvent(LIST_Items, QEvent::KeyRelease, [this] { LIST_Items_Selected(); });
    onEvent(LIST_Items->viewport(), QEvent::MouseButtonRelease, [this] { LIST_Items_Selected(); });
    connectTask(LIST_Items, &QListWidget::itemDoubleClicked,
                &frmNTDelComputer::LIST_Items_DblClick);

    addTextField(TEXT_ID, LABEL_ComputerName, ComputerHint, true);
    connectTask(BUTTON_List, &frmNTDelComputer::BUTTON_List_Click);
    connectTask(BUTTON_CheckProp, &frmNTDelComputer::BUTTON_CheckProp_Click);
    connectTask(BUTTON_Delete, &frmNTDelComputer::BUTTON_Delete_Click);

    Form_Load();
}

void frmNTDelComputer::buildLayout()
{
    LABEL_Security->setWordWrap(true);
    auto *grid = new QGridLayout(FRAME_ComputerAccountSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1, 1, 2);
    grid->addWidget(LABEL_ComputerName, 1, 0);
    grid->addWidget(TEXT_ID, 1, 1);
    grid->addWidget(BUTTON_CheckProp, 1, 2);
    grid->addWidget(BUTTON_List, 2, 1, 1, 2);
    grid->addWidget(LIST_Items, 3, 1, 1, 2);
    grid->addWidget(LABEL_Items, 4, 1, 1, 2);
    grid->addWidget(LABEL_Security, 5, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Delete);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_ComputerAccountSettings);
    content->addLayout(buttons);
    setContent(content);
}

void frmNTDelComputer::Load_Settings() { loadLastComputer(TEXT_ID); }

void frmNTDelComputer::Save_Settings()
{
    if (m_taskAttempted)
        saveLastComputer(TEXT_ID);
}

void frmNTDelComputer::COMBO_Domain_Change()
{
    LIST_Items->clear();
    ComputerTaskWindow::COMBO_Domain_Change();
    showItemCount();
}

void frmNTDelComputer::COMBO_Domain_Click()
{
    LIST_Items->clear();
    ComputerTaskWindow::COMBO_Domain_Click();
    showItemCount();
}

void frmNTDelComputer::showItemCount()
{
    Show_ItemCount(LABEL_Items, LIST_Items);
}

void frmNTDelComputer::LIST_Items_Selected()
{
    seams::setPointer(seams::Pointer::Wait);
    TEXT_ID->setText(Selected_Entries(LIST_Items));
    seams::setPointer(seams::Pointer::Default);
}

void frmNTDelComputer::LIST_Items_DblClick()
{
    if (LIST_Items->count() == 0 || !LIST_Items->currentItem())
        return;
    TEXT_ID->setText(LIST_Items->currentItem()->text());
    BUTTON_CheckProp_Click();
}

bool frmNTDelComputer::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(COMBO_Domain, MissingDomain, QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(TEXT_ID, QStringLiteral("Please specify a computer name."),
                            QStringLiteral(" : Missing Computer Name"));
    return true;
}

void frmNTDelComputer::BUTTON_List_Click()
{
    BUTTON_List->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    if (domain.isEmpty()) {
        Refuse_Field(COMBO_Domain, MissingDomain, QStringLiteral(" : Missing Domain"));
        return;
    }

    seams::setPointer(seams::Pointer::Wait);
    m_taskAttempted = true;
    LABEL_Items->setText(QStringLiteral("Working..."));
    LIST_Items->clear();
    repaint();
    QStringList computers;
    QString noPrefix;
    const int32_t count =
        Enum_Accounts(domain, enum_kind::Computers, computers, false, noPrefix);
    if (count > 0) {
        LIST_Items->addItems(computers);
        Show_Neutral();
    } else {
        Show_Result(*this,
                    QStringLiteral("Error, no computer accounts exist within the specified "
                                   "domain."),
                    false, false, {}, {}, {});
    }
    showItemCount();
}

void frmNTDelComputer::BUTTON_Delete_Click()
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
            ? QStringLiteral("You are about to delete several computer accounts.\n\nAre you "
                             "Sure?")
            : QStringLiteral("You are about to delete computer account : ") + names +
                  QStringLiteral("\n\nAre you Sure?");
    if (seams::messageBox(question, seams::YesNo, seams::Question,
                          AppTitle + QStringLiteral(" : Please Confirm")) != seams::Yes)
        return;

    m_taskAttempted = true;
    showWorking();
    QStringList list = nameList(names);
    if (domain.startsWith(QStringLiteral("\\\\")))
        return Fail_Task(QStringLiteral("Error, could not delete the computer account."),
                         QStringLiteral("Invalid domain."));
    const QString controller = Get_DCName(domain, {});
    if (controller.isEmpty())
        return Fail_Task(QStringLiteral("Network connection error."), DomainDown);

    int32_t result = directory_result::Success;
    QString failed;
    for (const QString &typed : std::as_const(list)) {
        QString name = typed;
        result = Execute_Command(QStringLiteral("NT Delete Computer Account.01"), name,
                                 controller);
        if (result != directory_result::Success) {
            failed = typed;
            break;
        }
        removeEvery(LIST_Items, name);
    }

    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Result(*this,
                    QStringLiteral("Error, could not delete computer account - ") + failed +
                        QStringLiteral("\n\n") + words,
                    false, false, target, Title, target + u'\\' + failed, words);
    } else {
        Show_Result(*this,
                    QStringLiteral("Computer account(s) have been successfully deleted from ") +
                        domain + u'.',
                    true, false, target, Title, target + u'\\' + list.first());
    }
    showItemCount();
}

void frmNTDelComputer::BUTTON_CheckProp_Click()
{
    BUTTON_CheckProp->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;
    if (TEXT_ID->text().contains(u',')) {
        seams::messageBox(QStringLiteral("Only one computer name can be specified."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Too Many Computers"));
        return;
    }

    seams::setPointer(seams::Pointer::Wait);
    repaint();
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    if (domain.startsWith(QStringLiteral("\\\\")))
        return Fail_Task(
            QStringLiteral("Error, could not view properties of the computer account."),
            QStringLiteral("Invalid domain."));
    const QString controller = Get_DCName(domain, {});
    if (controller.isEmpty())
        return Fail_Task(QStringLiteral("Network connection error."), DomainDown);

    QString name = Trim_Blanks(TEXT_ID->text());
    QVariantList values;
    bool unused = false;
    const int32_t result = Get_AccountInfo(name, controller, account_kind::Computer, values,
                                           false, unused, unused, unused, unused);
    if (result != directory_result::Success)
        return Fail_Task(QStringLiteral("Error, could not get the computer account properties."),
                         Get_ErrorText(result));

    const QString link = values.value(CommentValue).toString();
    const QString found = title() + QStringLiteral(". \n\n");
    const QString boxTitle = QStringLiteral("Account Properties : ") + TEXT_ID->text();
    if (link.isEmpty()) {
        Show_Result(*this,
                    found + QStringLiteral("Computer account found, but no properties set."),
                    false, true, {}, {}, {});
        seams::messageBox(QStringLiteral("User Link: N/A"), seams::OkOnly, seams::Information,
                          boxTitle);
    } else {
        Show_Result(*this, found + QStringLiteral("Computer account found and properties "
                                                  "displayed."),
                    false, true, {}, {}, {});
        seams::messageBox(QStringLiteral("User Link: ") + link, seams::OkOnly,
                          seams::Information, boxTitle);
    }
}
