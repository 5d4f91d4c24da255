// The delete-user window: removes one or several user accounts of a domain or
// a computer, by default keeping each for reuse (disabled, stripped, out of
// its groups and renamed with a leading "%") rather than destroying it. The
// operator types the names, separated by commas, or lists the domain's
// accounts and selects them, and may look at one account's properties first.
#pragma once

#include "ui/TaskWindow.h"

class ListBox;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmNTDelUser final : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTDelUser(QWidget *parent = nullptr);

    QGroupBox *const FRAME_UserAccountSettings;
    QLabel *const LABEL_UserName;
    QLineEdit *const TEXT_ID;
    QPushButton *const BUTTON_CheckProp;
    QCheckBox *const CHECK_Reuse;
    QPushButton *const BUTTON_List;
    ListBox *const LIST_Items;
    QLabel *const LABEL_Items;
    QLabel *const LABEL_Security;
    QPushButton *const BUTTON_Delete;

public slots:
    void BUTTON_List_Click();
    void BUTTON_CheckProp_Click();
    void BUTTON_Delete_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;

private:
    bool Check_Fields();
    void TEXT_ID_Change();
    // Key up and mouse up in the list: the selected names into TEXT_ID.
    void LIST_Items_KeyUp();
    void LIST_Items_MouseUp();
    void LIST_Items_DblClick();
    void takeSelectedNames();

    // The server of this run; false (and the panel says why) when the
    // domain's controller cannot be found.
    bool findServer(QString &server);
    // Deletes the names in order and stops at the first that fails; its name
    // and status, or an empty name and 0.
    // `keptBy` receives the listed domains whose local groups kept a
    // soft-deleted account.
    int32_t deleteNames(const QStringList &names, const QString &server, QString &failed,
                        QStringList &keptBy);
    void removeFromList(const QString &name);
    void showItemCount();
    void buildLayout();

    bool m_taskAttempted = false;
};
