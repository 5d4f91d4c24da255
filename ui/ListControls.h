// The list interface of the shared routines over the toolkit's combo and list boxes.
#pragma once

#include "app/ListControl.h"

class QComboBox;
class QListWidget;

class ComboListControl : public ListControl {
public:
    explicit ComboListControl(QComboBox *combo) : m_combo(combo) {}
    void addItem(const QString &text) override;
    void clear() override;
    int count() const override;
    QString item(int index) const override;

private:
    QComboBox *m_combo;
};

class ListWidgetControl : public ListControl {
public:
    explicit ListWidgetControl(QListWidget *list) : m_list(list) {}
    void addItem(const QString &text) override;
    void clear() override;
    int count() const override;
    QString item(int index) const override;

private:
    QListWidget *m_list;
};
