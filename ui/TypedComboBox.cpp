#include "TypedComboBox.h"

#include <QComboBox>
#include <QLineEdit>

void Make_TypedComboBox(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    QObject::disconnect(combo->lineEdit(), SIGNAL(editingFinished()), combo,
                        SLOT(_q_editingFinished()));
}
