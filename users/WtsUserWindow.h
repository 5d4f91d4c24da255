// The Terminal Server settings of one user ("Terminal Server User
// Properties"), shown modally by the view/modify-user window: read setting by
// setting when shown, written on Apply (the gated ones only when edited), the
// user's ordinary home directory beside them. Reading and writing live in
// WtsUserConfig.cpp.
#pragma once

#include <QDialog>

#include <array>
#include <set>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmWTSUser final : public QDialog {
    Q_OBJECT

public:
    explicit frmWTSUser(QWidget *parent = nullptr);
    ~frmWTSUser() override;

    // Set by the caller before the window is shown.
    QString TargetServer;
    QString TargetUser;

    QLabel *const LABEL_UserName;
    QCheckBox *const CHECK_Logon;
    QGroupBox *const FRAME_Timeout;
    QLineEdit *const TEXT_Con;
    QCheckBox *const CHECK_Con;
    QLineEdit *const TEXT_DisCon;
    QCheckBox *const CHECK_DisCon;
    QLineEdit *const TEXT_Idle;
    QCheckBox *const CHECK_Idle;
    QGroupBox *const FRAME_Inherent;
    QCheckBox *const CHECK_Inherent;
    QLineEdit *const TEXT_CommandLine;
    QLineEdit *const TEXT_WorkDir;
    QGroupBox *const FRAME_Devices;
    QCheckBox *const CHECK_ConDrives;
    QCheckBox *const CHECK_ConPrinters;
    QCheckBox *const CHECK_MainPrinter;
    QGroupBox *const FRAME_HomeDir;
    QRadioButton *const OPTION_Local;
    QLineEdit *const TEXT_LocalPath;
    QRadioButton *const OPTION_Connect;
    QComboBox *const COMBO_Drive;
    QLineEdit *const TEXT_Path;
    QLineEdit *const TEXT_WinFramePath;
    QLineEdit *const TEXT_ProfilePath;
    QComboBox *const COMBO_Broken;
    QComboBox *const COMBO_Reconnect;
    QComboBox *const COMBO_Callback;
    QLineEdit *const TEXT_Callback;
    QComboBox *const COMBO_Shadowing;
    QPushButton *const BUTTON_Apply;
    QPushButton *const BUTTON_Cancel;

    // Which settings the operator edited (see the flag numbers in the .cpp).
    std::array<bool, 13> ChangedFlags{};

public slots:
    void BUTTON_Apply_Click();
    void BUTTON_Cancel_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    void Form_Activate();
    void Read_UserConfig();
    int32_t Write_UserConfig();
    bool Check_Fields();
    bool checkTimeout(QLineEdit *text, QCheckBox *noTimeout);
    void setTimeoutBox(QCheckBox *noTimeout, QLineEdit *text);
    void setInherit();
    void markChanged(int flag);
    void readTimeout(int configClass, QLineEdit *text, QCheckBox *noTimeout);
    void readHomeDirectory();
    void readWinFramePath();
    void readListIndex(int configClass, QComboBox *list);
    int32_t writeSetting(int configClass, const QString &value);
    int32_t writeHomeDirectory();
    int32_t writeListIndex(int configClass, QComboBox *list);
    void connectEdits();
    void buildLayout();

    bool m_activated = false;
    // Lists whose stored value has no entry: not written unless one is picked,
    // so that Apply does not replace a value the list cannot show.
    std::set<int> m_unlisted;
};
