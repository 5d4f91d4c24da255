// The add-user window: creates a user account in a domain or on one server,
// optionally with a computer account for the user's workstation (either both
// exist afterwards or neither). It builds the account name from the person's
// names, can insist that the name is free in every listed domain and look for
// a free variant itself, and with "/REUSE" on the command line takes a
// soft-deleted account back into use instead of creating one.
//
// The controls and their handlers are in AddUserWindow.cpp; the task behind
// BUTTON_Add (field checks, the uniqueness search, the directory commands) is
// in AddUserTask.cpp.
#pragma once

#include "ui/TaskWindow.h"

#include <QString>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QPushButton;

class frmNTAddUserComputer : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTAddUserComputer(QWidget *parent = nullptr);

    // What an activity-log line carries instead of the initial password: the
    // log is a plain file that anyone who may read it could read a password in.
    static const QString PasswordMask;

    QGroupBox *const FRAME_UserAccountSettings;
    QLabel *const LABEL_UserFirstName;
    QLineEdit *const TEXT_UserFirstName;
    QLabel *const LABEL_UserMiddleInitial;
    QLineEdit *const TEXT_UserMiddleInitial;
    QLabel *const LABEL_UserLastName;
    QLineEdit *const TEXT_UserLastName;
    QLabel *const LABEL_UserLoginScript;
    QLineEdit *const TEXT_UserLoginScript;
    QLabel *const LABEL_EmpoyeeNumber;
    QLineEdit *const TEXT_EmpoyeeNumber;
    QLabel *const LABEL_UserName;
    QLineEdit *const TEXT_UserName;
    QLabel *const LABEL_Password;
    QLineEdit *const TEXT_Password;
    QCheckBox *const CHECK_Expired;
    QCheckBox *const CHECK_Unique;
    QCheckBox *const CHECK_Admin;
    QCheckBox *const CHECK_Also;
    QGroupBox *const FRAME_ComputerAccountSettings;
    QLabel *const LABEL_ComputerDomain;
    QLineEdit *const TEXT_ComputerDomain;
    QLabel *const LABEL_ComputerName;
    QLineEdit *const TEXT_ComputerName;
    QPushButton *const BUTTON_Add;

    // Whether BUTTON_Add has once passed the field checks: only then are the
    // settings saved when the window closes.
    bool taskAttempted() const { return m_taskAttempted; }

public slots:
    void BUTTON_Add_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;

    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;

private:
    // Where a search of the listed domains stopped: the status of the last
    // lookup, and the entry that could not be reached (-9 or 53), if any.
    struct DomainSearch {
        int32_t status = 1;
        QString unreachable;
        // The window is closing: the search ended unfinished.
        bool stopped = false;
    };
    // The values one run of the task works on.
    struct AddRun {
        QString domain;
        QString user;
        QString computer;
        QString server;
        // The soft-deleted name of an account taken back into use in this run.
        QString reusedFrom;
    };

    void buildLayout();
    void connectHandlers();
    void addPersonNameField(QLineEdit *field, QLabel *label, const QString &hintSentence);

    void TEXT_UserName_Rebuild(const QString &hintSentence);
    void CHECK_Also_Click();
    void TEXT_ComputerDomain_GotFocus();
    void TEXT_ComputerDomain_Change();
    void TEXT_ComputerDomain_LostFocus();
    void TEXT_ComputerName_GotFocus();
    void TEXT_ComputerName_LostFocus();

    bool Check_Fields();
    DomainSearch Find_InDomains(const QString &accountName, bool computerAccount);

    void Run_Task();
    // The steps of BUTTON_Add_Click; each returns false when the run ends.
    bool Find_Server(AddRun &run);
    bool Search_UniqueNames(AddRun &run);
    bool Look_Up(AddRun &run, bool &userTaken, bool &computerTaken);
    void Report_Taken(bool userTaken, bool computerTaken);
    int32_t Create_User(AddRun &run);
    void Finish_Task(AddRun &run);

    void advanceProgress();

    bool m_taskAttempted = false;
    int32_t m_progressStep = 0;
};
