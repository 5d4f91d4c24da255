#include "ComputerTaskWindow.h"

#include "ComputerSettings.h"

#include "app/Settings.h"

#include <QComboBox>
#include <QLineEdit>

const QString ComputerTaskWindow::ComputerDomainHint =
    QStringLiteral("Select a domain from the dropdown list.");

ComputerTaskWindow::ComputerTaskWindow(const TaskWindowKind &kind, QWidget *parent)
    : TaskWindow(kind, parent)
{
}

void ComputerTaskWindow::COMBO_Domain_GotFocus()
{
    setLabelFocused(LABEL_Domain, true);
    Show_Hint(ComputerDomainHint);
}

void ComputerTaskWindow::COMBO_Domain_LostFocus() { Domain_LostFocus(COMBO_Domain, LABEL_Domain); }

void ComputerTaskWindow::COMBO_Domain_Change()
{
    if (inResultMode())
        Show_Hint(ComputerDomainHint);
}

void ComputerTaskWindow::COMBO_Domain_Click() { Show_Hint(ComputerDomainHint); }

void ComputerTaskWindow::Domain_LostFocus(QComboBox *field, QLabel *label)
{
    setLabelFocused(label, false);
    const QString text = field->currentText();
    const QString cleaned = Computer_DomainText(text);
    if (cleaned != text)
        field->setEditText(cleaned);
}

void ComputerTaskWindow::loadLastComputer(QLineEdit *name)
{
    using namespace computer_settings;
    COMBO_Domain->setEditText(GetSetting(Section, LastCompDomain));
    name->setText(GetSetting(Section, LastCompID));
}

void ComputerTaskWindow::saveLastComputer(const QLineEdit *name)
{
    using namespace computer_settings;
    SaveSetting(Section, LastCompDomain, COMBO_Domain->currentText());
    SaveSetting(Section, LastCompID, name->text());
}

QString Computer_DomainText(const QString &text)
{
    QString cleaned = text.toUpper();
    while (cleaned.startsWith(u'\\'))
        cleaned.remove(0, 1);
    return cleaned;
}

QString Without_AccountMark(const QString &name)
{
    return name.endsWith(u'$') ? name.chopped(1) : name;
}
