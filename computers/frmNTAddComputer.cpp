#include "frmNTAddComputer.h"

#include "ComputerSettings.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "directory/ServerResolution.h"
#include "directory/UniquenessSearch.h"
#include "platform/netapi/Statuses.h"
#include "ui/CheckName.h"
#include "ui/FieldText.h"
#include "ui/NamedWidget.h"
#include "ui/ServerArgument.h"
#include "ui/ShowResult.h"
#include "ui/TypedComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString Title = QStringLiteral("NT Add Computer Account");
const QString ComputerHint = QStringLiteral("Input the computer name.  The computer name must "
                                            "be unique across all NT trusted domains.");
const QString UserHint =
    QStringLiteral("Input the user name.  The name must be present in the above domain.");
const QString CouldNotAdd = QStringLiteral("Error, could not add the computer account.");
const QString DomainDown = QStringLiteral(
    "The domain specified does not exist, or the domain controllers are down.");
constexpr int AddComputerWindow = 1;

QComboBox *userDomainCombo()
{
    auto *combo = named(new QComboBox, "COMBO_UserDomain");
    Make_TypedComboBox(combo);
    return combo;
}

} // namespace

frmNTAddComputer::frmNTAddComputer(QWidget *parent)
    : ComputerTaskWindow({Title, false, AddComputerWindow}, parent),
      FRAME_ComputerSettings(named(
          new QGroupBox(QStringLiteral(" NT Computer Account Settings "), this),
          "FRAME_ComputerSettings")),
      LABEL_ComputerName(
          named(new QLabel(QStringLiteral("Computer Name:")), "LABEL_ComputerName")),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      CHECK_Unique(named(new QCheckBox(QStringLiteral("Must use a unique computer name")),
                         "CHECK_Unique")),
      LABEL_UserLink(named(new QLabel(QStringLiteral(
                               "For security purposes, a valid User Account must be linked to "
                               "the Computer Account.  Please enter the User Account "
                               "information below.")),
                           "LABEL_UserLink")),
      LABEL_UserDomain(named(new QLabel(QStringLiteral("Domain:")), "LABEL_UserDomain")),
      COMBO_UserDomain(userDomainCombo()),
      LABEL_UserName(named(new QLabel(QStringLiteral("User Name:")), "LABEL_UserName")),
      TEXT_UserName(named(new QLineEdit, "TEXT_UserName")),
      BUTTON_Add(named(new QPushButton(QStringLiteral("&Add")), "BUTTON_Add"))
{
    buildLayout();
    BUTTON_Add->setToolTip(QStringLiteral("Add to Domain"));

    addTextField(TEXT_ID, LABEL_ComputerName, ComputerHint, true);
    addTextField(TEXT_UserName, LABEL_UserName, UserHint);
    onFocus(
        COMBO_UserDomain,
        [this] {
            setLabelFocused(LABEL_UserDomain, true);
            Show_Hint(ComputerDomainHint);
        },
        [this] { Domain_LostFocus(COMBO_UserDomain, LABEL_UserDomain); });
    connect(COMBO_UserDomain, &QComboBox::editTextChanged, this, [this] {
        if (inResultMode())
            Show_Hint(ComputerDomainHint);
    });
    connect(COMBO_UserDomain, &QComboBox::activated, this,
            [this] { Show_Hint(ComputerDomainHint); });
    connectTask(BUTTON_Add, &frmNTAddComputer::BUTTON_Add_Click);

    Form_Load(COMBO_UserDomain);
}

void frmNTAddComputer::buildLayout()
{
    LABEL_UserLink->setWordWrap(true);
    LABEL_Domain->setBuddy(COMBO_Domain);
    LABEL_UserDomain->setBuddy(COMBO_UserDomain);
    auto *grid = new QGridLayout(FRAME_ComputerSettings);
    grid->addWidget(LABEL_Domain, 0, 0);
    grid->addWidget(COMBO_Domain, 0, 1);
    grid->addWidget(LABEL_ComputerName, 1, 0);
    grid->addWidget(TEXT_ID, 1, 1);
    grid->addWidget(CHECK_Unique, 2, 1);
    grid->addWidget(LABEL_UserLink, 3, 0, 1, 2);
    grid->addWidget(LABEL_UserDomain, 4, 0);
    grid->addWidget(COMBO_UserDomain, 4, 1);
    grid->addWidget(LABEL_UserName, 5, 0);
    grid->addWidget(TEXT_UserName, 5, 1);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Add);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_ComputerSettings);
    content->addLayout(buttons);
    setContent(content);
}

void frmNTAddComputer::Load_Settings()
{
    using namespace computer_settings;
    loadLastComputer(TEXT_ID);
    // The user windows' last domain; this window only reads it.
    COMBO_UserDomain->setEditText(GetSetting(Section, LastDomain));
    CHECK_Unique->setChecked(GetSettingInt(Title, Unique, 1) != 0);
}

void frmNTAddComputer::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    saveLastComputer(TEXT_ID);
    SaveSettingInt(Title, computer_settings::Unique, CHECK_Unique->isChecked() ? 1 : 0);
}

bool frmNTAddComputer::Check_Fields()
{
    if (Trim_Blanks(COMBO_Domain->currentText()).isEmpty())
        return Refuse_Field(
            COMBO_Domain, QStringLiteral("Please specify the NT domain for the computer account."),
            QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_ID->text()).isEmpty())
        return Refuse_Field(
            TEXT_ID, QStringLiteral("Please specify a computer name for the computer account."),
            QStringLiteral(" : Missing Computer Name"));
    if (Trim_Blanks(COMBO_UserDomain->currentText()).isEmpty())
        return Refuse_Field(COMBO_UserDomain,
                            QStringLiteral("Please specify the NT domain for the user account."),
                            QStringLiteral(" : Missing Domain"));
    if (Trim_Blanks(TEXT_UserName->text()).isEmpty())
        return Refuse_Field(TEXT_UserName,
                            QStringLiteral("Please specify the user name for the user account."),
                            QStringLiteral(" : Missing User Name"));
    if (!Check_Name(TEXT_ID->text(), true, true, false, false, NameExtraCharacters))
        return Refuse_Field(TEXT_ID,
                            QStringLiteral("The computer name format is incorrect or contains "
                                           "illegal characters."),
                            QStringLiteral(" : Incorrect Computer Name"));
    if (!Check_Name(TEXT_UserName->text(), true, true, false, false, NameExtraCharacters))
        return Refuse_Field(
            TEXT_UserName,
            QStringLiteral("The user name format is incorrect or contains illegal characters."),
            QStringLiteral(" : Incorrect User Name"));
    return true;
}

void frmNTAddComputer::BUTTON_Add_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    // "WS02$" is taken as WS02: the directory adds the account's "$" itself.
    QString computer = Without_AccountMark(Trim_Blanks(TEXT_ID->text()));
    BUTTON_Add->setFocus();
    if (!letEventsRun())
        return;
    Show_Neutral();
    if (!Check_Fields())
        return;

    m_taskAttempted = true;
    showWorking();
    ProgressIndicator &progress = appContext().SharedProgress();
    const auto step =
        int32_t(std::nearbyint(double(progress.max()) / (COMBO_UserDomain->count() + 2)));

    if (domain.startsWith(QStringLiteral("\\\\")))
        return Fail_Task(CouldNotAdd, QStringLiteral("Invalid domain."));
    const QString controller = Get_DCName(domain, {});
    if (controller.isEmpty())
        return Fail_Task(QStringLiteral("Network connection error."), DomainDown);

    QString user = Trim_Blanks(TEXT_UserName->text());
    const QString userDomain = Trim_Blanks(COMBO_UserDomain->currentText());
    const int32_t found = Check_Account(user, userDomain, account_kind::User, false);
    if (Is_Unreachable(found))
        return Fail_Task(QStringLiteral("Error, could not find the user account."), DomainDown);
    progress.setValue(progress.value() + step);
    if (found != 0)
        return Fail_Task(CouldNotAdd, QStringLiteral("A user account could not be found to "
                                                     "link with the computer account."));
    if (CHECK_Unique->isChecked() && !Search_Name(computer, controller, step))
        return;
    progress.setValue(progress.max() - step);
    if (!letEventsRun())
        return;

    const QString link = userDomain + u'\\' + Trim_Blanks(TEXT_UserName->text());
    const int32_t result = Execute_Command(QStringLiteral("NT Add Computer Account.01"), computer,
                                           controller, {link});
    progress.setValue(progress.value() + step);
    Show_Outcome(result, computer, domain);
}

void frmNTAddComputer::Show_Outcome(int32_t result, const QString &computer,
                                    const QString &domain)
{
    const QString target = Trim_Blanks(COMBO_Domain->currentText());
    const QString object = target + u'\\' + computer;
    if (result == directory_result::Success) {
        Show_Result(*this,
                    computer + QStringLiteral("\ncomputer account has been successfully added "
                                              "to ") +
                        domain + u'.',
                    true, false, target, Title, object,
                    COMBO_UserDomain->currentText() + u'\\' + TEXT_UserName->text());
    } else {
        const QString words = Get_ErrorText(result);
        Show_Result(*this, CouldNotAdd + QStringLiteral("\n\n") + words, false, false, target,
                    Title, object, words);
    }
}

// The target's controller first, then every listed domain by name, first to
// last (the target among them). Only "found" and "not found" are answers: a
// domain that cannot be reached, or that answers anything else (access
// denied, say), stops the task, since uniqueness could not be proved.
bool frmNTAddComputer::Search_Name(const QString &computer, const QString &controller,
                                   int32_t step)
{
    QString name = computer;
    const int32_t result = Check_Account(name, controller, account_kind::Computer, false);
    DomainSearch search;
    search.outcome = Classify_Lookup(result, account_kind::Computer, false);
    if (search.outcome == NameLookup::Unreachable || search.outcome == NameLookup::Failed) {
        Fail_Task(CouldNotAdd, Get_ErrorText(result));
        return false;
    }
    if (search.outcome == NameLookup::Free) {
        QStringList entries;
        for (int index = 0; index < COMBO_Domain->count(); ++index)
            entries << COMBO_Domain->itemText(index);
        ProgressIndicator &progress = appContext().SharedProgress();
        search = Search_Domains(name, account_kind::Computer, false, entries, [&] {
            progress.setValue(progress.value() + step);
            return letEventsRun();
        });
        if (search.stopped)
            return false;
    }
    switch (search.outcome) {
    case NameLookup::Free:
        return true;
    case NameLookup::Taken:
        Fail_Task(CouldNotAdd,
                  QStringLiteral("The account already exist within the trusted NT domains."));
        return false;
    case NameLookup::Unreachable:
    case NameLookup::Failed:
        break;
    }
    Fail_Task(CouldNotAdd, Search_FailureText(search.entry, search.outcome, search.status));
    return false;
}
