// The three changes of the view/modify-user window: rename, password reset
// and applying the edited properties. Each is one directory command, reported
// in the panel and logged; none of them writes a password to the log.
#include "AccountPaths.h"
#include "ModifyUserTexts.h"
#include "ModifyUserWindow.h"

#include "app/AppContext.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "directory/AccountRead.h"
#include "directory/CommandDispatcher.h"
#include "directory/DirectoryResult.h"
#include "ui/FieldText.h"
#include "ui/ShowResult.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString &Title = ModifyUserTitle;
const QString RenameDetail = QStringLiteral("Rename");
const QString PasswordDetail = QStringLiteral("Change Password");

QString command(const char *suffix) { return Title + QLatin1String(suffix); }

} // namespace

void frmNTModUser::Show_Change(const QString &text, bool success, const QString &domain,
                               const QString &name, const QString &detail1,
                               const QString &detail2, const QString &detail3,
                               const QString &detail4)
{
    Show_Result(*this, text, success, false, domain, Title, domain + u'\\' + name, detail1,
                detail2, detail3, detail4);
}

void frmNTModUser::BUTTON_Rename_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString name = Trim_Blanks(TEXT_ID->text());
    BUTTON_Rename->setFocus();
    Show_Neutral();

    const QString newName =
        seams::inputBox(QStringLiteral("Enter a new name for the User Account..."),
                        AppTitle + QStringLiteral(" : Rename"), name);
    if (Trim_Blanks(newName).isEmpty() || Trim_Blanks(newName) == name)
        return;

    LABEL_Stamp->setText(QStringLiteral("Working..."));
    seams::setPointer(seams::Pointer::Wait);
    QString server;
    if (!findServer(server))
        return;
    QString account = name;
    const int32_t result = Execute_Command(command(".02"), account, server, {QVariant(newName)});
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Change(QStringLiteral("Error, could not modify the user account.\n\n") + words,
                    false, domain, name, RenameDetail, words);
        return;
    }
    TEXT_ID->setText(newName);
    BUTTON_PropertiesSet_Click();
    Show_Change(name + QStringLiteral("\nuser account has been successfully renamed to -\n") +
                    newName,
                true, domain, name, RenameDetail);
}

void frmNTModUser::BUTTON_Password_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString name = Trim_Blanks(TEXT_ID->text());
    BUTTON_Password->setFocus();
    Show_Neutral();

    QString password =
        seams::inputBox(QStringLiteral("Enter a new password for the User Account..."),
                        AppTitle + QStringLiteral(" : Change Password"));
    if (Trim_Blanks(password).isEmpty())
        return;

    LABEL_Stamp->setText(QStringLiteral("Working..."));
    seams::setPointer(seams::Pointer::Wait);
    QString server;
    if (!findServer(server))
        return;
    QString account = name;
    const int32_t result =
        Execute_Command(command(".03"), account, server,
                        {QVariant(CHECK_UserPasswordExpired->isChecked()), QVariant(password)});
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Change(
            QStringLiteral("Error, could not change the password for user account.\n\n") + words,
            false, domain, name, PasswordDetail, words);
        return;
    }
    BUTTON_PropertiesSet_Click();
    // The operator reads the new password off the panel; the log line names
    // only the action.
    const QString changed =
        QStringLiteral("\nuser account password has been successfully changed to -\n");
    Show_Change(name + changed + password, true, domain, name, PasswordDetail);
}

void frmNTModUser::BUTTON_Apply_Click()
{
    const QString domain = Trim_Blanks(COMBO_Domain->currentText());
    const QString name = Trim_Blanks(TEXT_ID->text());
    BUTTON_Apply->setFocus();
    Show_Neutral();

    const bool mustChange = CHECK_UserPasswordExpired->isChecked();
    const bool cannotChange = CHECK_UserPasswordNoChange->isChecked();
    const bool neverExpires = CHECK_UserPasswordNoExpire->isChecked();
    const bool disabled = CHECK_UserAccountDisabled->isChecked();
    if (mustChange && cannotChange) {
        Fail_Task(QStringLiteral("Error, could not apply the user settings."));
        seams::messageBox(QStringLiteral("You cannot check both 'Password Expired' and\n"
                                         "'User Cannot Change Password' for the same user."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Invalid User Settings"));
        return;
    }
    if (neverExpires &&
        seams::messageBox(QStringLiteral("For security purposes, 'Password Never Expires'\n"
                                         "setting is not recommended.\n\n"
                                         "Do you wish to proceed?"),
                          seams::YesNo, seams::NoIcon,
                          AppTitle + QStringLiteral(" : User Settings")) != seams::Yes)
        return;

    LABEL_Stamp->setText(QStringLiteral("Working..."));
    seams::setPointer(seams::Pointer::Wait);
    QString server;
    if (!findServer(server))
        return;

    const QString fullName = Trim_Blanks(TEXT_UserFullName->text());
    const QString description = Trim_Blanks(TEXT_UserDescription->text());
    const QString comment = Trim_Blanks(TEXT_UserComment->text());
    const QString script = Trim_Blanks(TEXT_UserLogonScript->text());
    // The update writes every property, and this window shows neither the home
    // directory nor the profile path: they are read from the account itself,
    // just before the write, so that no edit here clears or moves them.
    QString account = name;
    QVariantList items;
    bool unusedFlags[4] = {};
    int32_t result = Get_AccountInfo(account, server, account_kind::User, items, false,
                                     unusedFlags[0], unusedFlags[1], unusedFlags[2],
                                     unusedFlags[3]);
    if (result == directory_result::Success) {
        const KeptPaths kept = Kept_Paths(items);
        result = Execute_Command(command(".01"), account, server,
                                 {QVariant(kept.homeDir), QVariant(kept.profile),
                                  QVariant(description), QVariant(fullName), QVariant(script),
                                  QVariant(comment), QVariant(mustChange),
                                  QVariant(cannotChange), QVariant(neverExpires),
                                  QVariant(disabled)});
    }
    if (result != directory_result::Success) {
        const QString words = Get_ErrorText(result);
        Show_Change(QStringLiteral("Error, could not modify the user account.\n\n") + words,
                    false, domain, name, words);
        return;
    }
    Show_Change(name + QStringLiteral("\nuser account has been successfully modified."), true,
                domain, name, fullName, description, comment, script);
}
