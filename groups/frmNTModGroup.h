// The view/modify-group window: lists the groups of a domain or computer,
// shows the description and members of the group chosen, and adds a user or
// a group as a member or removes the selected members. A local group may take
// members of another domain, written DOMAIN\name.
#pragma once

#include "ui/TaskWindow.h"

#include <array>

class PictureBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmNTModGroup final : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTModGroup(QWidget *parent = nullptr);

    // The kinds of member OPTION_MemberType offers, by index.
    enum MemberType { MemberUser = 0, MemberGroup = 1 };

    QGroupBox *const FRAME_GroupSettings;
    QRadioButton *const OPTION_Global;
    QRadioButton *const OPTION_Local;
    QPushButton *const BUTTON_List;
    QLabel *const LABEL_GroupName;
    QComboBox *const COMBO_GroupName;
    QLabel *const LABEL_Description;
    QLabel *const LABEL_Comment;
    QLabel *const LABEL_GroupMembers;
    QListWidget *const LIST_Items;
    QLabel *const LABEL_MemberDomain;
    QComboBox *const COMBO_MemberDomain;
    QLabel *const LABEL_MemberName;
    QLineEdit *const TEXT_MemberName;
    PictureBox *const PICTURE_MemberType;
    // A control array: both buttons are named OPTION_MemberType and carry
    // their index in the "index" property.
    const std::array<QRadioButton *, 2> OPTION_MemberType;
    QPushButton *const BUTTON_AddMember;
    QPushButton *const BUTTON_DelMember;
    QLabel *const LABEL_Security;

public slots:
    void BUTTON_List_Click();
    void COMBO_GroupName_Click();
    void BUTTON_AddMember_Click();
    void BUTTON_DelMember_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;

private:
    bool Check_Fields();
    void OPTION_Global_Click();
    void OPTION_Local_Click();
    void COMBO_MemberDomain_LostFocus();
    void LIST_Items_Click();
    void LIST_Items_DblClick();
    void LABEL_Comment_Click();

    // Back to "no group list": the group and member views emptied and the
    // group controls disabled.
    void clearGroupView();
    // The domain field's text, as a computer name without its backslashes,
    // into the member-domain field.
    void copyDomainToMemberDomain();
    void setGroupControlsEnabled(bool enabled);
    void showMemberCount();
    // The server of this window: empty for "\\My Computer", else the domain.
    QString serverArgument() const;
    QString groupName() const;
    void buildLayout();
    void connectHandlers();

    bool m_taskAttempted = false;
};
