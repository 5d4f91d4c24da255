// The proxy logon window: the proxy user's domain, name and password; Login
// checks the account, logs it on, starts a copy of the program as it and ends
// this copy. When the logon or the start fails it offers the rights set-up.
#pragma once

#include <QWidget>

class QCloseEvent;
class QEvent;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

class frmNTProxy : public QWidget {
    Q_OBJECT
public:
    explicit frmNTProxy(QWidget *parent = nullptr);

    static const QString Title;

    QGroupBox *const FRAME_ProxyUser;
    QLabel *LABEL_Proxy[2];
    QLabel *const LABEL_Domain;
    QLineEdit *const TEXT_Domain;
    QLabel *const LABEL_Name;
    QLineEdit *const TEXT_UserName;
    QLabel *const LABEL_Password;
    QLineEdit *const TEXT_Password;
    QPushButton *const BUTTON_Login;

public slots:
    void BUTTON_Login_Click();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    // -9 and 2221 prove the account cannot be used: the words, the focus to
    // the field at fault. True when the lookup stopped the login.
    bool refuseAccount(int32_t status);
    void offerRightsSetUp(QString &domain, QString &user);

    bool m_unloaded = false;
};
