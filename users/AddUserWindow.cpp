#include "AddUserWindow.h"

#include "UserNameBuilder.h"

#include "app/DomainList.h"
#include "app/Settings.h"
#include "ui/FieldText.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Title = QStringLiteral("NT Add User Account");
const QString SettingsSection = QStringLiteral("Settings");
const QString LastDomainKey = QStringLiteral("LastDomain");
const QString UniqueKey = QStringLiteral("Unique");
const QString ExpireKey = QStringLiteral("Expire");
// A check box's value as the settings hold it: "1" ticked, "0" not.
constexpr int32_t Ticked = 1;
constexpr int32_t Unticked = 0;

const QString FirstNameHint = QStringLiteral("Input the users first name.");
const QString MiddleInitialHint = QStringLiteral("Input the users middle initial.");
const QString LastNameHint = QStringLiteral("Input the users last name.");
const QString LoginScriptHint =
    QStringLiteral("Input the NT login script for the users workstation.");
const QString DescriptionHint = QStringLiteral("Free format description field.");
const QString UserNameHint =
    QStringLiteral("The user name must be unique across all NT trusted domains.");
const QString PasswordHint =
    QStringLiteral("Input a password to be initially assigned to this account.");
const QString ComputerNameHint =
    QStringLiteral("The computer name must be unique across all NT trusted domains.");

template <typename Widget>
Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel *label(const QString &caption, const char *name)
{
    return named(new QLabel(caption), name);
}

QLineEdit *textBox(const char *name) { return named(new QLineEdit, name); }

QCheckBox *checkBox(const QString &caption, const char *name)
{
    return named(new QCheckBox(caption), name);
}

QGroupBox *frame(const QString &caption, const char *name)
{
    return named(new QGroupBox(caption), name);
}

QPushButton *addButton()
{
    auto *button = named(new QPushButton(QStringLiteral("&Add")), "BUTTON_Add");
    button->setToolTip(QStringLiteral("Add to Domain"));
    return button;
}

int32_t checkValue(const QCheckBox *box) { return box->isChecked() ? Ticked : Unticked; }

} // namespace

const QString frmNTAddUserComputer::PasswordMask = QStringLiteral("********");

frmNTAddUserComputer::frmNTAddUserComputer(QWidget *parent)
    : TaskWindow({Title, true, 0}, parent),
      FRAME_UserAccountSettings(
          frame(QStringLiteral(" NT User Account Settings "), "FRAME_UserAccountSettings")),
      LABEL_UserFirstName(label(QStringLiteral("First Name:"), "LABEL_UserFirstName")),
      TEXT_UserFirstName(textBox("TEXT_UserFirstName")),
      LABEL_UserMiddleInitial(
          label(QStringLiteral("Middle Initial:"), "LABEL_UserMiddleInitial")),
      TEXT_UserMiddleInitial(textBox("TEXT_UserMiddleInitial")),
      LABEL_UserLastName(label(QStringLiteral("Last Name:"), "LABEL_UserLastName")),
      TEXT_UserLastName(textBox("TEXT_UserLastName")),
      LABEL_UserLoginScript(label(QStringLiteral("Login Script:"), "LABEL_UserLoginScript")),
      TEXT_UserLoginScript(textBox("TEXT_UserLoginScript")),
      LABEL_EmpoyeeNumber(label(QStringLiteral("Description:"), "LABEL_EmpoyeeNumber")),
      TEXT_EmpoyeeNumber(textBox("TEXT_EmpoyeeNumber")),
      LABEL_UserName(label(QStringLiteral("User Name:"), "LABEL_UserName")),
      TEXT_UserName(textBox("TEXT_UserName")),
      LABEL_Password(label(QStringLiteral("Password:"), "LABEL_Password")),
      TEXT_Password(textBox("TEXT_Password")),
      CHECK_Expired(checkBox(QStringLiteral("Change password at next login"), "CHECK_Expired")),
      CHECK_Unique(checkBox(QStringLiteral("Must use a unique user name"), "CHECK_Unique")),
      CHECK_Admin(checkBox(QStringLiteral("Add to local Administrators group"), "CHECK_Admin")),
      CHECK_Also(checkBox(QStringLiteral("Also create a computer account for this user"),
                          "CHECK_Also")),
      FRAME_ComputerAccountSettings(frame(QStringLiteral(" NT Computer Account Settings "),
                                          "FRAME_ComputerAccountSettings")),
      LABEL_ComputerDomain(label(QStringLiteral("Domain:"), "LABEL_ComputerDomain")),
      TEXT_ComputerDomain(textBox("TEXT_ComputerDomain")),
      LABEL_ComputerName(label(QStringLiteral("Computer Name:"), "LABEL_ComputerName")),
      TEXT_ComputerName(textBox("TEXT_ComputerName")),
      BUTTON_Add(addButton())
{
    // The password is shown masked: the window may be in view of others.
    TEXT_Password->setEchoMode(QLineEdit::Password);
    buildLayout();
    connectHandlers();
    // The computer fields follow CHECK_Also, which starts unticked.
    CHECK_Also_Click();
    Form_Load();
}

void frmNTAddUserComputer::buildLayout()
{
    auto *user = new QGridLayout(FRAME_UserAccountSettings);
    const std::pair<QLabel *, QWidget *> rows[] = {
        {LABEL_Domain, COMBO_Domain},
        {LABEL_UserFirstName, TEXT_UserFirstName},
        {LABEL_UserMiddleInitial, TEXT_UserMiddleInitial},
        {LABEL_UserLastName, TEXT_UserLastName},
        {LABEL_UserLoginScript, TEXT_UserLoginScript},
        {LABEL_EmpoyeeNumber, TEXT_EmpoyeeNumber},
        {LABEL_UserName, TEXT_UserName},
        {LABEL_Password, TEXT_Password},
    };
    int row = 0;
    for (const auto &[caption, field] : rows) {
        caption->setBuddy(field);
        user->addWidget(caption, row, 0);
        user->addWidget(field, row++, 1);
    }
    for (QCheckBox *box : {CHECK_Expired, CHECK_Unique, CHECK_Admin, CHECK_Also})
        user->addWidget(box, row++, 1);
    user->setColumnStretch(1, 1);

    auto *computer = new QGridLayout(FRAME_ComputerAccountSettings);
    computer->addWidget(LABEL_ComputerDomain, 0, 0);
    computer->addWidget(TEXT_ComputerDomain, 0, 1);
    computer->addWidget(LABEL_ComputerName, 1, 0);
    computer->addWidget(TEXT_ComputerName, 1, 1);
    computer->setColumnStretch(1, 1);
    LABEL_ComputerDomain->setBuddy(TEXT_ComputerDomain);
    LABEL_ComputerName->setBuddy(TEXT_ComputerName);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BUTTON_Add);

    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_UserAccountSettings);
    content->addWidget(FRAME_ComputerAccountSettings);
    content->addLayout(buttons);
    setContent(content);
}

void frmNTAddUserComputer::connectHandlers()
{
    addPersonNameField(TEXT_UserFirstName, LABEL_UserFirstName, FirstNameHint);
    addPersonNameField(TEXT_UserLastName, LABEL_UserLastName, LastNameHint);
    addTextField(TEXT_UserMiddleInitial, LABEL_UserMiddleInitial, MiddleInitialHint, true);
    addTextField(TEXT_UserLoginScript, LABEL_UserLoginScript, LoginScriptHint);
    addTextField(TEXT_EmpoyeeNumber, LABEL_EmpoyeeNumber, DescriptionHint, true);
    addTextField(TEXT_UserName, LABEL_UserName, UserNameHint);
    addTextField(TEXT_Password, LABEL_Password, PasswordHint);

    onFocus(
        TEXT_ComputerDomain, [this] { TEXT_ComputerDomain_GotFocus(); },
        [this] { TEXT_ComputerDomain_LostFocus(); });
    connect(TEXT_ComputerDomain, &QLineEdit::textChanged, this,
            [this] { TEXT_ComputerDomain_Change(); });
    onFocus(
        TEXT_ComputerName, [this] { TEXT_ComputerName_GotFocus(); },
        [this] { TEXT_ComputerName_LostFocus(); });
    connect(TEXT_ComputerName, &QLineEdit::textChanged, this, [this] {
        if (inResultMode())
            Show_Hint(ComputerNameHint);
    });

    // A check box's value set by the program counts as a click too, so that
    // the computer fields always follow CHECK_Also.
    connect(CHECK_Also, &QCheckBox::toggled, this, [this] { CHECK_Also_Click(); });
    connectTask(BUTTON_Add, &frmNTAddUserComputer::BUTTON_Add_Click);
}

// The first and last name: the common focus handlers, except that leaving
// the field capitalises its first letter; every change rebuilds the user name.
void frmNTAddUserComputer::addPersonNameField(QLineEdit *field, QLabel *label,
                                              const QString &hintSentence)
{
    onFocus(
        field,
        [this, field, label, hintSentence] {
            setLabelFocused(label, true);
            selectAll(field);
            Show_Hint(hintSentence);
        },
        [this, field, label] {
            setLabelFocused(label, false);
            Show_Neutral();
            const QString text = field->text();
            const QString capitalised = text.left(1).toUpper() + text.mid(1);
            if (capitalised != text)
                field->setText(capitalised);
        });
    connect(field, &QLineEdit::textChanged, this,
            [this, hintSentence] { TEXT_UserName_Rebuild(hintSentence); });
}

// Whatever was typed into TEXT_UserName is overwritten: the name follows the
// person's names until the operator edits it after them.
void frmNTAddUserComputer::TEXT_UserName_Rebuild(const QString &hintSentence)
{
    // Read first: the user name's own change handler leaves the outcome panel.
    const bool outcomeShown = inResultMode();
    TEXT_UserName->setText(Build_UserName(TEXT_UserFirstName->text(), TEXT_UserLastName->text()));
    if (outcomeShown)
        Show_Hint(hintSentence);
}

void frmNTAddUserComputer::COMBO_Domain_Change()
{
    const QString text = COMBO_Domain->currentText();
    // A computer account belongs to a domain, never to one server.
    if (text.startsWith(QStringLiteral("\\\\")))
        CHECK_Also->setChecked(false);
    TEXT_ComputerDomain->setText(text);
}

void frmNTAddUserComputer::COMBO_Domain_Click()
{
    COMBO_Domain_Change();
    Show_Hint(DomainHint);
}

void frmNTAddUserComputer::CHECK_Also_Click()
{
    if (COMBO_Domain->currentText() == MyComputer)
        CHECK_Also->setChecked(false);
    const bool enabled = CHECK_Also->isChecked();
    for (QWidget *control : std::initializer_list<QWidget *>{
             TEXT_ComputerDomain, LABEL_ComputerDomain, TEXT_ComputerName, LABEL_ComputerName})
        control->setEnabled(enabled);
}

void frmNTAddUserComputer::TEXT_ComputerDomain_GotFocus()
{
    selectAll(TEXT_ComputerDomain);
    Show_Neutral();
}

void frmNTAddUserComputer::TEXT_ComputerDomain_Change()
{
    if (inResultMode())
        Show_Neutral();
}

// The computer's domain is a domain name: upper case, without the
// backslashes of a server name.
void frmNTAddUserComputer::TEXT_ComputerDomain_LostFocus()
{
    QString text = TEXT_ComputerDomain->text().toUpper();
    while (text.startsWith(u'\\'))
        text.remove(0, 1);
    if (text != TEXT_ComputerDomain->text())
        TEXT_ComputerDomain->setText(text);
    Show_Neutral();
}

void frmNTAddUserComputer::TEXT_ComputerName_GotFocus()
{
    selectAll(TEXT_ComputerName);
    Show_Hint(ComputerNameHint);
}

void frmNTAddUserComputer::TEXT_ComputerName_LostFocus()
{
    const QString upper = TEXT_ComputerName->text().toUpper();
    if (upper != TEXT_ComputerName->text())
        TEXT_ComputerName->setText(upper);
}

void frmNTAddUserComputer::Load_Settings()
{
    COMBO_Domain->setEditText(GetSetting(SettingsSection, LastDomainKey, QString()));
    CHECK_Unique->setChecked(GetSettingInt(Title, UniqueKey, Ticked) != Unticked);
    CHECK_Expired->setChecked(GetSettingInt(Title, ExpireKey, Ticked) != Unticked);
}

void frmNTAddUserComputer::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    SaveSetting(SettingsSection, LastDomainKey, COMBO_Domain->currentText());
    SaveSettingInt(Title, UniqueKey, checkValue(CHECK_Unique));
    SaveSettingInt(Title, ExpireKey, checkValue(CHECK_Expired));
}
