// The delete-computers window: deletes one or several computer accounts of a
// domain, typed with commas between them or picked from the domain's list;
// "Who?" shows the user link of one account first.
#pragma once

#include "ComputerTaskWindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class frmNTDelComputer final : public ComputerTaskWindow {
    Q_OBJECT

public:
    explicit frmNTDelComputer(QWidget *parent = nullptr);

    QGroupBox *const FRAME_ComputerAccountSettings;
    QLabel *const LABEL_ComputerName;
    QLineEdit *const TEXT_ID;
    QPushButton *const BUTTON_List;
    QListWidget *const LIST_Items;
    QLabel *const LABEL_Items;
    QLabel *const LABEL_Security;
    QPushButton *const BUTTON_CheckProp;
    QPushButton *const BUTTON_Delete;

public slots:
    void BUTTON_List_Click();
    void BUTTON_Delete_Click();
    void BUTTON_CheckProp_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;

private:
    bool Check_Fields();
    // Mouse up and key up in the list: the selected names into TEXT_ID.
    void LIST_Items_Selected();
    void LIST_Items_DblClick();
    void showItemCount();
    void buildLayout();

    bool m_taskAttempted = false;
};
