// The view/modify-user window: shows one user account of a domain or a
// computer, in an editable panel (names, script, password and account flags)
// or a read-only one (groups, rights, password age, logon server and the
// latest logon across the domain's controllers), lists the domain's accounts
// for picking, and renames the account, resets its password or applies the
// edited properties. The viewing lives in ModifyUserWindow.cpp, the three
// changes in ModifyUserChanges.cpp.
#pragma once

#include "ui/TaskWindow.h"

#include <array>
#include <functional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmNTModUser final : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTModUser(QWidget *parent = nullptr);

    // Shows the Terminal Server settings of `user` at `server` and returns
    // once the operator has closed them. Until one is given, the window
    // offers no Terminal Server settings (BUTTON_WTS stays disabled).
    using TerminalServerDialog =
        std::function<void(QWidget *owner, const QString &server, const QString &user)>;
    static void setTerminalServerDialog(TerminalServerDialog dialog);

    QLabel *const LABEL_UserName;
    QLineEdit *const TEXT_ID;
    QPushButton *const BUTTON_List;
    QPushButton *const BUTTON_PropertiesSet;
    QPushButton *const BUTTON_PropertiesView;
    QPushButton *const BUTTON_WTS;
    QGroupBox *const FRAME_UserAccountSettings;

    // The account list.
    QFrame *const PICTURE_List;
    QListWidget *const LIST_Items;
    QPushButton *const BUTTON_RefreshList;
    QLabel *const LABEL_Items;
    QLabel *const LABEL_Security;

    // The editable properties.
    QFrame *const PICTURE_PropertiesSet;
    QLabel *const LABEL_UserFullName;
    QLineEdit *const TEXT_UserFullName;
    QLabel *const LABEL_UserDescription;
    QLineEdit *const TEXT_UserDescription;
    QLabel *const LABEL_UserComment;
    QLineEdit *const TEXT_UserComment;
    QLabel *const LABEL_UserLogonScript;
    QLineEdit *const TEXT_UserLogonScript;
    QCheckBox *const CHECK_UserPasswordExpired;
    QCheckBox *const CHECK_UserPasswordNoChange;
    QCheckBox *const CHECK_UserPasswordNoExpire;
    QCheckBox *const CHECK_UserAccountDisabled;
    QCheckBox *const CHECK_LockOut;
    QPushButton *const BUTTON_Apply;
    QPushButton *const BUTTON_Rename;
    QPushButton *const BUTTON_Password;

    // The read-only properties. LABEL_Misc: 0 account expiry, 1 password
    // age, 2 rights, 3 logon server, 4 last logon; LABEL_More the headings of
    // the first four, BUTTON_GetLL the heading of the last.
    QFrame *const PICTURE_PropertiesView;
    QLabel *const LABEL_Groups;
    QListWidget *const LIST_Groups;
    const std::array<QLabel *, 4> LABEL_More;
    const std::array<QLabel *, 5> LABEL_Misc;
    QPushButton *const BUTTON_GetLL;

public slots:
    void BUTTON_List_Click();
    void BUTTON_RefreshList_Click();
    void BUTTON_PropertiesSet_Click();
    void BUTTON_PropertiesView_Click();
    void BUTTON_GetLL_Click();
    void BUTTON_WTS_Click();
    void BUTTON_Rename_Click();
    void BUTTON_Password_Click();
    void BUTTON_Apply_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;

private:
    bool Check_Fields();
    // Empties every shown property and disables the buttons that need one;
    // with `clearList` the account list too.
    void Clear_Properties(bool clearList);
    void TEXT_ID_Change();
    void LIST_Items_Click();
    void LIST_Items_DblClick();
    void addPropertyField(QLineEdit *field, QLabel *label);
    // Reads the account named in TEXT_ID into `items` and the four flags.
    int32_t readAccount(const QString &server, QVariantList &items, bool &cannotChange,
                        bool &neverExpires, bool &disabled, bool &lockedOut);
    void fillEditable(const QVariantList &items, bool cannotChange, bool neverExpires,
                      bool disabled, bool lockedOut);
    void fillReadOnly(const QVariantList &items);
    void showAccountFound();
    void failRead(int32_t result);
    bool findServer(QString &server);
    void showItemCount();
    QString domainText() const;
    void buildLayout();
    QFrame *buildListPanel();
    QFrame *buildEditablePanel();
    QFrame *buildReadOnlyPanel();

    // Part of the changes: the log line's fixed fields and the outcome.
    void Show_Change(const QString &text, bool success, const QString &domain,
                     const QString &name, const QString &detail1 = {},
                     const QString &detail2 = {}, const QString &detail3 = {},
                     const QString &detail4 = {});

    bool m_taskAttempted = false;
};
