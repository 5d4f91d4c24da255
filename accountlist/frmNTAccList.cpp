#include "frmNTAccList.h"

#include "ExportLines.h"
#include "SearchText.h"
#include "WorkFile.h"

#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/ErrorText.h"
#include "app/Seams.h"
#include "app/Settings.h"
#include "directory/AccountRead.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "ui/ListControls.h"
#include "ui/NamedWidget.h"
#include "ui/PictureBox.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("NT Account List");
const QString Section = QStringLiteral("Settings");
const QString Guidance = QStringLiteral("Enter search criteria then click [Find Accounts].\n\n"
                                        "Searching all domains may be time consumming.");
constexpr int KindUsers = 0;
constexpr int KindComputers = 1;

QPushButton *button(const QString &caption, const QString &toolTip, const char *name)
{
    auto *control = named(new QPushButton(caption), name);
    control->setToolTip(toolTip);
    return control;
}

std::array<QRadioButton *, 2> optionPair(const char *name, const QString &first,
                                         const QString &second)
{
    return {named(new QRadioButton(first), name), named(new QRadioButton(second), name)};
}

QLabel *valueLabel(const char *name)
{
    auto *label = named(new QLabel, name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(200);
    return label;
}

// A listed domain's work file, or "" for a name that cannot name one.
QString workFileOf(const QString &domain)
{
    return WorkFile_Path(platform::system().writableFolder(), domain);
}

QStringList entries(const QListWidget *list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

} // namespace

frmNTAccList::frmNTAccList(QWidget *parent)
    : TaskWindow({Title, false, -1}, parent),
      FRAME_UserSettings(named(new QGroupBox(QStringLiteral(" NT Account List Utility "), this),
                               "FRAME_UserSettings")),
      LIST_Domain(named(new QListWidget, "LIST_Domain")),
      BUTTON_Add(button(QStringLiteral("< &Add Domain..."), QStringLiteral("Add Domain to List"),
                        "BUTTON_Add")),
      BUTTON_Remove(button(QStringLiteral("&Remove Domain >"),
                           QStringLiteral("Remove Domain from List"), "BUTTON_Remove")),
      OPTION_Type(optionPair("OPTION_Type", QStringLiteral("Find &User Accounts"),
                             QStringLiteral("Find &Computer Accounts"))),
      OPTION_Filter(optionPair("OPTION_Filter", QStringLiteral("&Begins with Search Text"),
                               QStringLiteral("C&ontains Search Text"))),
      TEXT_ID(named(new QLineEdit, "TEXT_ID")),
      LABEL_ID(named(new QLabel(QStringLiteral("<< Search Text")), "LABEL_ID")),
      BUTTON_List(button(QStringLiteral("&Find Accounts"), QStringLiteral("Begin Search"),
                         "BUTTON_List")),
      LIST_Items(named(new QListWidget, "LIST_Items")),
      LABEL_Items(named(new QLabel(QStringLiteral("Items : 0")), "LABEL_Items")),
      LABEL_Prop1(named(new QLabel(QStringLiteral("User Comment")), "LABEL_Prop1")),
      LABEL_Val1(valueLabel("LABEL_Val1")),
      LABEL_Prop2(named(new QLabel(QStringLiteral("Description")), "LABEL_Prop2")),
      LABEL_Val2(valueLabel("LABEL_Val2")),
      BUTTON_Export(button(QStringLiteral("&Export List"), QStringLiteral("Export List Items"),
                           "BUTTON_Export")),
      BUTTON_Cancel(button(QStringLiteral("Cancel"), QStringLiteral("Cancel Export"),
                           "BUTTON_Cancel"))
{
    // The window has a list of domains instead of the frame's domain field.
    LABEL_Domain->hide();
    COMBO_Domain->hide();
    LIST_Domain->setSortingEnabled(true);
    // Laying out 31,000 entries one by one would freeze the window; the
    // entries all have one height.
    LIST_Items->setUniformItemSizes(true);
    for (auto *pair : {&OPTION_Type, &OPTION_Filter}) {
        auto *group = new QButtonGroup(this);
        group->addButton((*pair)[0], 0);
        group->addButton((*pair)[1], 1);
    }
    OPTION_Type[0]->setChecked(true);
    OPTION_Filter[0]->setChecked(true);
    BUTTON_Export->setEnabled(false);
    BUTTON_Cancel->setEnabled(false);
    BUTTON_Cancel->hide();
    LABEL_ID->setBuddy(TEXT_ID);

    QGridLayout *grid = new QGridLayout(FRAME_UserSettings);
    auto *domainButtons = new QVBoxLayout;
    domainButtons->addWidget(BUTTON_Add);
    domainButtons->addWidget(BUTTON_Remove);
    domainButtons->addStretch();
    auto *options = new QVBoxLayout;
    for (QRadioButton *option : {OPTION_Type[0], OPTION_Type[1], OPTION_Filter[0],
                                 OPTION_Filter[1]})
        options->addWidget(option);
    grid->addWidget(LIST_Domain, 0, 0);
    grid->addLayout(domainButtons, 0, 1);
    grid->addLayout(options, 0, 2);
    grid->addWidget(TEXT_ID, 1, 0);
    grid->addWidget(LABEL_ID, 1, 1);
    grid->addWidget(BUTTON_List, 1, 2);
    grid->addWidget(LIST_Items, 2, 0, 1, 3);
    grid->addWidget(LABEL_Items, 3, 0, 1, 3);
    grid->addWidget(LABEL_Prop1, 4, 0);
    grid->addWidget(LABEL_Val1, 4, 1, 1, 2);
    grid->addWidget(LABEL_Prop2, 5, 0);
    grid->addWidget(LABEL_Val2, 5, 1, 1, 2);
    LIST_Domain->setMaximumHeight(110);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BUTTON_Export);
    buttons->addWidget(BUTTON_Cancel);
    auto *content = new QVBoxLayout;
    content->addWidget(FRAME_UserSettings);
    content->addLayout(buttons);
    setContent(content);

    connect(BUTTON_Add, &QPushButton::clicked, this, &frmNTAccList::BUTTON_Add_Click);
    connect(BUTTON_Remove, &QPushButton::clicked, this, &frmNTAccList::BUTTON_Remove_Click);
    connect(LIST_Domain, &QListWidget::itemDoubleClicked, this,
            &frmNTAccList::LIST_Domain_DblClick);
    connectTask(BUTTON_List, &frmNTAccList::BUTTON_List_Click);
    connect(LIST_Items, &QListWidget::itemSelectionChanged, this, [this] {
        if (!LIST_Items->selectedItems().isEmpty())
            LIST_Items_Click();
    });
    connectTask(BUTTON_Export, &frmNTAccList::BUTTON_Export_Click);
    connectStop(BUTTON_Cancel, &frmNTAccList::BUTTON_Cancel_Click);
    for (int index : {0, 1}) {
        connect(OPTION_Type[index], &QRadioButton::clicked, this,
                [this, index] { OPTION_Type_Click(index); });
        connect(OPTION_Filter[index], &QRadioButton::clicked, this, [this] { showGuidance(); });
    }
    connect(&m_copies, &SearchCopies::copyEnded, this, [this](int stillRunning) {
        LABEL_Items->setText(QStringLiteral("Working...") + QString::number(stillRunning));
    });
    connect(TEXT_ID, &QLineEdit::textChanged, this, [this] { showGuidance(); });
    onEvent(LABEL_Val1, QEvent::MouseButtonRelease, [this] { showLabelValue(LABEL_Val1); });
    onEvent(LABEL_Val2, QEvent::MouseButtonRelease, [this] { showLabelValue(LABEL_Val2); });

    Form_Load();
    setWindowTitle(Title);
    ListWidgetControl domains(LIST_Domain);
    Load_DomainList(domains, false);
    domainListChanged();
    showGuidance();
}

void frmNTAccList::Load_Settings()
{
    TEXT_ID->setText(GetSetting(Section, QStringLiteral("LastUserID")));
}

void frmNTAccList::Save_Settings()
{
    if (!m_taskAttempted)
        return;
    const bool computers = m_searchKind == KindComputers;
    const QString domainKey =
        computers ? QStringLiteral("LastCompDomain") : QStringLiteral("LastDomain");
    const QString nameKey =
        computers ? QStringLiteral("LastCompID") : QStringLiteral("LastUserID");
    SaveSetting(Section, domainKey, m_clickedDomain);
    SaveSetting(Section, nameKey, m_clickedName);
}

void frmNTAccList::closeEvent(QCloseEvent *event)
{
    // The frame refuses a close during a task and closes once the task has
    // returned; the copies of a search must not outlive the wait.
    if (taskRunning())
        m_copies.stop();
    TaskWindow::closeEvent(event);
}

// While a task runs, the controls that would change what it works on are
// disabled; Cancel stays live.
void frmNTAccList::beginTask()
{
    for (QWidget *control : {static_cast<QWidget *>(FRAME_UserSettings),
                             static_cast<QWidget *>(BUTTON_Export)})
        control->setEnabled(false);
}

void frmNTAccList::endTask()
{
    FRAME_UserSettings->setEnabled(true);
    BUTTON_Export->setEnabled(LIST_Items->count() > 0);
    domainListChanged();
}

void frmNTAccList::showGuidance()
{
    PICTURE_Status->setBackColor(appContext().PanelColor);
    LABEL_Status->setText(Guidance);
}

void frmNTAccList::showItemCount()
{
    LABEL_Items->setText(QStringLiteral("Items : ") + QString::number(LIST_Items->count()));
}

void frmNTAccList::domainListChanged()
{
    const bool any = LIST_Domain->count() > 0;
    BUTTON_Remove->setEnabled(any);
    BUTTON_List->setEnabled(any);
}

void frmNTAccList::BUTTON_Add_Click()
{
    showGuidance();
    const QString answer = seams::inputBox(QStringLiteral("Enter the domain name..."),
                                           QStringLiteral("Add Domain To List"));
    if (answer.isEmpty())
        return;
    // A name that would put the work file outside its folder is no domain
    // name either.
    if (answer.startsWith(u'\\') || answer.contains(u' ') || !Is_WorkFileDomain(answer)) {
        seams::messageBox(QStringLiteral("Invalid domain name, cannot add to list."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Syntax Error"));
        return;
    }
    LIST_Domain->addItem(answer.toUpper());
    domainListChanged();
}

void frmNTAccList::BUTTON_Remove_Click()
{
    showGuidance();
    QListWidgetItem *selected = LIST_Domain->currentItem();
    if (!selected || !selected->isSelected()) {
        seams::messageBox(QStringLiteral("Select a domain from the list to remove."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : No Domain Selected"));
        return;
    }
    delete selected;
    domainListChanged();
}

void frmNTAccList::LIST_Domain_DblClick()
{
    if (QListWidgetItem *selected = LIST_Domain->currentItem())
        delete selected;
    domainListChanged();
}

void frmNTAccList::OPTION_Type_Click(int index)
{
    LABEL_Prop1->setText(index == KindUsers ? QStringLiteral("User Comment")
                                            : QStringLiteral("User Link"));
    showGuidance();
}

void frmNTAccList::showLabelValue(const QLabel *label)
{
    if (!label->text().isEmpty())
        seams::messageBox(label->text(), seams::OkOnly, seams::NoIcon);
}

bool frmNTAccList::confirmEmptySearch()
{
    if (!TEXT_ID->text().trimmed().isEmpty())
        return true;
    const auto answer = seams::messageBox(
        QStringLiteral("You did not specify information for Search Text.\n\n"
                       "Do you wish to list all known accounts?"),
        seams::YesNo, seams::Question, AppTitle + QStringLiteral(" : Missing Search Text"));
    if (answer == seams::Yes)
        return true;
    TEXT_ID->setFocus();
    return false;
}

void frmNTAccList::BUTTON_List_Click()
{
    if (!confirmEmptySearch())
        return;
    seams::setPointer(seams::Pointer::Wait);
    BUTTON_List->setFocus();
    seams::doEvents();
    beginTask();
    showGuidance();
    LIST_Items->clear();
    LABEL_Val1->clear();
    LABEL_Val2->clear();
    m_searchKind = OPTION_Type[0]->isChecked() ? KindUsers : KindComputers;
    startCopies(Search_Criteria(TEXT_ID->text(), OPTION_Filter[0]->isChecked()));
    waitForCopies();
    if (closePending()) {
        seams::setPointer(seams::Pointer::Default);
        endTask();
        return;
    }
    readWorkFiles();
    showSearchOutcome();
    seams::setPointer(seams::Pointer::Default);
    endTask();
}

void frmNTAccList::startCopies(const QString &criteria)
{
    const QStringList domains = entries(LIST_Domain);
    QStringList workFiles;
    for (const QString &domain : domains)
        workFiles << workFileOf(domain);
    LABEL_Items->setText(QStringLiteral("Working...") + QString::number(domains.size()));
    repaint();
    m_copies.start(domains, workFiles, m_searchKind, criteria);
    seams::doEvents();
}

// Waits in an event loop of its own, so that the window repaints, until the
// last copy has ended; each end updates the count at once.
void frmNTAccList::waitForCopies()
{
    LABEL_Items->setText(QStringLiteral("Working...") + QString::number(m_copies.running()));
    if (m_copies.running() == 0)
        return;
    QEventLoop loop;
    connect(&m_copies, &SearchCopies::allEnded, &loop, &QEventLoop::quit);
    loop.exec();
    // The program may be ending (its loops all told to quit) with copies
    // still running: they end here too.
    m_copies.stop();
}

void frmNTAccList::readWorkFiles()
{
    QStringList items;
    for (const QString &domain : entries(LIST_Domain)) {
        const QString path = workFileOf(domain);
        if (!path.isEmpty())
            Collect_WorkFile(path, items, MaxItems);
    }
    Sort_AsText(items);
    LIST_Items->addItems(items);
}

void frmNTAccList::showSearchOutcome()
{
    seams::doEvents();
    if (LIST_Items->count() >= MaxItems)
        seams::messageBox(QStringLiteral("The maximum item limit of 31,000 has been reached.\n"
                                         "Not all items matching search criteria could be "
                                         "loaded."),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Max Reached"));
    const bool found = LIST_Items->count() > 0;
    LABEL_Status->setText(found ? QStringLiteral("You may click on an account within the list "
                                                 "to show basic properties.")
                                : QStringLiteral("No accounts found, try specifying a different "
                                                 "search text."));
    BUTTON_Export->setEnabled(found);
    BUTTON_Cancel->setEnabled(found);
    showItemCount();
}

void frmNTAccList::LIST_Items_Click()
{
    if (LIST_Items->count() == 0 || !LIST_Items->currentItem())
        return;
    const ListEntry entry = Split_ListEntry(LIST_Items->currentItem()->text());
    m_taskAttempted = true;
    m_clickedName = entry.name;
    m_clickedDomain = entry.domain;

    seams::setPointer(seams::Pointer::Wait);
    QString name = entry.name;
    QVariantList values;
    bool cannotChange = false, neverExpires = false, disabled = false, lockedOut = false;
    const int32_t status = Get_AccountInfo(name, entry.domain, m_searchKind, values, false,
                                           cannotChange, neverExpires, disabled, lockedOut);
    seams::setPointer(seams::Pointer::Default);
    if (status != 0) {
        LABEL_Val1->clear();
        LABEL_Val2->clear();
        seams::messageBox(QStringLiteral("An error occurred getting the account properties.\n") +
                              Get_ErrorText(status),
                          seams::OkOnly, seams::Exclamation,
                          AppTitle + QStringLiteral(" : Error"));
        return;
    }
    // Values are counted from 1: 6 comment, 7 flags, 11 user comment.
    if (m_searchKind == KindComputers) {
        LABEL_Val1->setText(values.value(5).toString());
        LABEL_Val2->setText(values.value(6).toLongLong() >= ServerTrustFlag
                                ? QStringLiteral("Domain Controller")
                                : QStringLiteral("Workstation or Server"));
    } else {
        LABEL_Val1->setText(values.value(10).toString());
        LABEL_Val2->setText(values.value(5).toString());
    }
}
