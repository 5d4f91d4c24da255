// What the three computer windows share beyond the common frame: a domain
// field that names domains only (leading backslashes go when it is left, and
// its hint says so), the remembered domain and computer name, and the name
// rules of computer accounts.
#pragma once

#include "ui/TaskWindow.h"

class ComputerTaskWindow : public TaskWindow {
    Q_OBJECT

public:
    static const QString ComputerDomainHint;

protected:
    ComputerTaskWindow(const TaskWindowKind &kind, QWidget *parent = nullptr);

    void COMBO_Domain_GotFocus() override;
    void COMBO_Domain_LostFocus() override;
    void COMBO_Domain_Change() override;
    void COMBO_Domain_Click() override;
    // The lost-focus rule for any domain field of these windows.
    void Domain_LostFocus(QComboBox *field, QLabel *label);

    // "LastCompDomain" into the domain field, "LastCompID" into `name`.
    void loadLastComputer(QLineEdit *name);
    void saveLastComputer(const QLineEdit *name);
};

// A domain field's text once left: upper case, leading "\" removed one by one.
QString Computer_DomainText(const QString &text);

// A computer name as the operator may type it: one trailing "$" (the
// account's mark, which the directory adds itself) dropped.
QString Without_AccountMark(const QString &name);
