// The add-computer window: creates a computer account in a domain, linked to
// a user account that must exist, after making sure (unless told not to)
// that no listed domain holds a computer of that name.
#pragma once

#include "ComputerTaskWindow.h"

#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmNTAddComputer final : public ComputerTaskWindow {
    Q_OBJECT

public:
    explicit frmNTAddComputer(QWidget *parent = nullptr);

    QGroupBox *const FRAME_ComputerSettings;
    QLabel *const LABEL_ComputerName;
    QLineEdit *const TEXT_ID;
    QCheckBox *const CHECK_Unique;
    QLabel *const LABEL_UserLink;
    QLabel *const LABEL_UserDomain;
    QComboBox *const COMBO_UserDomain;
    QLabel *const LABEL_UserName;
    QLineEdit *const TEXT_UserName;
    QPushButton *const BUTTON_Add;

public slots:
    void BUTTON_Add_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;

private:
    bool Check_Fields();
    // Step 13: true when no listed domain holds the name; otherwise the
    // failure has been shown.
    bool Search_Name(const QString &computer, const QString &controller, int32_t step);
    void Show_Outcome(int32_t result, const QString &computer, const QString &domain);
    void buildLayout();

    bool m_taskAttempted = false;
};
