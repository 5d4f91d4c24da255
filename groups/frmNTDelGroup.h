// The delete-groups window: deletes one or several global or local groups of
// a domain or a computer. The operator types the names, separated by commas,
// or lists the domain's groups and selects them.
#pragma once

#include "ui/TaskWindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmNTDelGroup final : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTDelGroup(QWidget *parent = nullptr);

    QGroupBox *const FRAME_GroupSettings;
    QLabel *const LABEL_GroupName;
    QLineEdit *const TEXT_ID;
    QRadioButton *const OPTION_Global;
    QRadioButton *const OPTION_Local;
    QPushButton *const BUTTON_List;
    QListWidget *const LIST_Items;
    QLabel *const LABEL_Items;
    QLabel *const LABEL_Security;
    QPushButton *const BUTTON_Delete;

public slots:
    void BUTTON_List_Click();
    void BUTTON_Delete_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;

private:
    bool Check_Fields();
    // Mouse up and key up in the list: the selected names into TEXT_ID.
    void LIST_Items_Selected();
    void OPTION_Click();
    void showItemCount();
    void buildLayout();

    bool m_taskAttempted = false;
};
