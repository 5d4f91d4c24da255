#include "ListSelection.h"

#include <QLabel>
#include <QListWidget>
#include <QString>
#include <QStringList>

QString Selected_Entries(const QListWidget *list)
{
    QStringList entries;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->isSelected())
            entries << list->item(row)->text();
    }
    return entries.join(u',');
}

void Show_ItemCount(QLabel *label, const QListWidget *list)
{
    label->setText(QStringLiteral("Items : ") + QString::number(list->count()));
}
