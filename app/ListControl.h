// The few list operations that the shared routines need from a combo box or
// list box: the windows hand their controls over through this interface.
#pragma once

#include <QString>
#include <QStringList>

class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void addItem(const QString &text) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual QString item(int index) const = 0;
};

// A list held in memory: the receiver of windowless runs and of tests.
class StringListControl : public ListControl {
public:
    void addItem(const QString &text) override { m_items.append(text); }
    void clear() override { m_items.clear(); }
    int count() const override { return int(m_items.size()); }
    QString item(int index) const override { return m_items.value(index); }
    const QStringList &items() const { return m_items; }

private:
    QStringList m_items;
};
