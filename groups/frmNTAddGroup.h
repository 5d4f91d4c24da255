// The add-group window: creates a global or a local group, with its
// description, in a domain or on one computer, after making sure (unless told
// not to) that no group of that name exists in the listed domains.
#pragma once

#include "ui/TaskWindow.h"

#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmNTAddGroup final : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTAddGroup(QWidget *parent = nullptr);

    QGroupBox *const FRAME_GroupSettings;
    QLabel *const LABEL_GroupName;
    QLineEdit *const TEXT_ID;
    QLabel *const LABEL_GroupDescription;
    QLineEdit *const TEXT_GroupDescription;
    QLabel *const LABEL_Security;
    QRadioButton *const OPTION_Global;
    QRadioButton *const OPTION_Local;
    QCheckBox *const CHECK_Unique;
    QPushButton *const BUTTON_Add;

public slots:
    void BUTTON_Add_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;

private:
    bool Check_Fields();
    // Step 9 of the task: true when no listed domain holds the name; a
    // failure has then been shown.
    bool Search_Name(const QString &group, const QString &server, int32_t step);
    void buildLayout();

    // Set once the Add button has passed validation: only then are the
    // entries worth remembering.
    bool m_taskAttempted = false;
};
