// The account search window: searches several domains at once for user or
// computer accounts whose names begin with, or contain, a text. One windowless
// copy of the program per domain lists and filters, writing a work file; the
// window waits for the copies to end, reads the work files into one sorted
// list, shows two properties of a clicked account, and exports the list to a
// comma-separated file. It shows guidance in its panel and writes no log.
#pragma once

#include "SearchCopies.h"

#include "ui/TaskWindow.h"

#include <array>
#include <cstdint>

class QButtonGroup;
class QFile;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class frmNTAccList final : public TaskWindow {
    Q_OBJECT

public:
    explicit frmNTAccList(QWidget *parent = nullptr);

    // The most entries the result list takes.
    static constexpr int MaxItems = 31000;

    QGroupBox *const FRAME_UserSettings;
    QListWidget *const LIST_Domain;
    QPushButton *const BUTTON_Add;
    QPushButton *const BUTTON_Remove;
    const std::array<QRadioButton *, 2> OPTION_Type;
    const std::array<QRadioButton *, 2> OPTION_Filter;
    QLineEdit *const TEXT_ID;
    QLabel *const LABEL_ID;
    QPushButton *const BUTTON_List;
    QListWidget *const LIST_Items;
    QLabel *const LABEL_Items;
    QLabel *const LABEL_Prop1;
    QLabel *const LABEL_Val1;
    QLabel *const LABEL_Prop2;
    QLabel *const LABEL_Val2;
    QPushButton *const BUTTON_Export;
    QPushButton *const BUTTON_Cancel;

    // The copies of the search under way (none between searches).
    const SearchCopies &searchCopies() const { return m_copies; }

public slots:
    void BUTTON_Add_Click();
    void BUTTON_Remove_Click();
    void LIST_Domain_DblClick();
    void BUTTON_List_Click();
    void LIST_Items_Click();
    void BUTTON_Export_Click();
    void BUTTON_Cancel_Click();

protected:
    void Load_Settings() override;
    void Save_Settings() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void OPTION_Type_Click(int index);
    void showGuidance();
    void showLabelValue(const QLabel *label);
    void domainListChanged();
    void showItemCount();

    // The search's steps.
    bool confirmEmptySearch();
    void startCopies(const QString &criteria);
    void waitForCopies();
    void readWorkFiles();
    void showSearchOutcome();

    // The export's steps (frmNTAccListExport.cpp).
    bool writeExport(QFile &file, bool withProperties);
    QString exportLine(const QString &entry, bool withProperties);
    void endExport();

    // Around a task: the controls that would change its work disabled.
    void beginTask();
    void endTask();

    SearchCopies m_copies;
    bool m_taskAttempted = false;
    int32_t m_searchKind = 0;
    QString m_clickedName;
    QString m_clickedDomain;
    bool m_cancelExport = false;
    // The export's last domain and its controller.
    QString m_exportDomain;
    QString m_exportServer;
};
