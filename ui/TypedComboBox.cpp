#include "TypedComboBox.h"

#include <QComboBox>
#include <QLineEdit>

void Make_TypedComboBox(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Qt completes typed text inline from the list: "SALES" would become
    // "SALESEU" when that is listed first, and the task would act there.
    combo->setCompleter(nullptr);
    QObject::disconnect(combo->lineEdit(), SIGNAL(editingFinished()), combo,
                        SLOT(_q_editingFinished()));
}
