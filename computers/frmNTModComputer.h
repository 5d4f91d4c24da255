// The view/modify-computer window: finds a computer account, shows its user
// link and whether the computer answers, and changes the link, renames the
// account, re-synchronises it with its domain, or lists the computer's shares.
// One of three panels shows below the fields: the domain's computers, the
// account's properties, or the computer's shares.
#pragma once

#include "ComputerTaskWindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmNTModComputer final : public ComputerTaskWindow {
    Q_OBJECT

public:
    explicit frmNTModComputer(QWidget *parent = nullptr);

    QGroupBox *const FRAME_ComputerSettings;
    QLabel *const LABEL_ComputerName;
    QLineEdit *const TEXT_ID;
    QPushButton *const BUTTON_List;
    QPushButton *const BUTTON_Properties;
    QPushButton *const BUTTON_Share;

    QWidget *const PICTURE_List;
    QListWidget *const LIST_Items;
    QLabel *const LABEL_Items;
    QLabel *const LABEL_Security;
    QPushButton *const BUTTON_RefreshList;

    QWidget *const PICTURE_Properties;
    QLabel *const LABEL_UserLink;
    QLabel *const LABEL_ComputerDescription;
    QLineEdit *const TEXT_ComputerDescription;
    QPushButton *const BUTTON_Apply;
    QPushButton *const BUTTON_Rename;
    QPushButton *const BUTTON_Resync;

    QWidget *const PICTURE_Share;
    QListWidget *const LIST_Shares;
    // 0 "Shared Device List", 1 "Share Type:", 2 "Share Description:".
    std::array<QLabel *, 3> LABEL_More;
    // 0 the remark, 1 the type word.
    std::array<QLabel *, 2> LABEL_MoreProp;

    // The bound on the re-synchronisation helper's run, in seconds.
    static constexpr int ResyncBoundSeconds = 20;

public slots:
    void BUTTON_List_Click();
    void BUTTON_RefreshList_Click();
    void BUTTON_Properties_Click();
    void BUTTON_Rename_Click();
    void BUTTON_Apply_Click();
    void BUTTON_Resync_Click();
    void BUTTON_Share_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void COMBO_Domain_Click() override;

private:
    enum class Wording { Connect, Netdom };

    bool Check_Fields();
    void Clear_Properties(bool emptyList);
    void TEXT_ID_Change();
    void LIST_Items_Click();
    void LIST_Items_DblClick();
    void LIST_Shares_Click();
    // The controller of the trimmed domain, or "" with the failure shown.
    QString controllerFor(const QString &domain, const QString &workstationRefusal);
    void showPanel(QWidget *panel);
    void showItemCount();
    void buildLayout();
    QWidget *buildListPanel();
    QWidget *buildPropertiesPanel();
    QWidget *buildSharePanel();

    // Re-synchronisation, in the order it runs.
    bool Run_Netdom(const QString &domain, const QString &name, bool verbose);
    void Recreate_Account(const QString &name, Wording wording);

    bool m_taskAttempted = false;
};
