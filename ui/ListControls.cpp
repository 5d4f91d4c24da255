#include "ListControls.h"

#include <QComboBox>
#include <QListWidget>

void ComboListControl::addItem(const QString &text) { m_combo->addItem(text); }

void ComboListControl::clear() { m_combo->clear(); }

int ComboListControl::count() const { return m_combo->count(); }

QString ComboListControl::item(int index) const { return m_combo->itemText(index); }

void ListWidgetControl::addItem(const QString &text) { m_list->addItem(text); }

void ListWidgetControl::clear() { m_list->clear(); }

int ListWidgetControl::count() const { return m_list->count(); }

QString ListWidgetControl::item(int index) const
{
    const QListWidgetItem *found = m_list->item(index);
    return found ? found->text() : QString();
}
