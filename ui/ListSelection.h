// What the account windows take from and show of their account list: the
// entries chosen in it, and its count.
#pragma once

class QLabel;
class QListWidget;
class QString;

// The selected entries in list order, joined by "," (the way a name field
// takes several names).
QString Selected_Entries(const QListWidget *list);

// "Items : N" in `label`, N the list's entry count.
void Show_ItemCount(QLabel *label, const QListWidget *list);
