#include "TaskWindow.h"
#include "TypedComboBox.h"

#include "CProgressBar.h"
#include "FieldText.h"
#include "ListControls.h"
#include "NamedWidget.h"
#include "OleColor.h"
#include "PictureBox.h"
#include "SharedProgressBar.h"
#include "ShowResult.h"
#include "WindowTexts.h"

#include "app/AppContext.h"
#include "app/DomainList.h"
#include "app/Identity.h"
#include "app/ProgramFolder.h"
#include "app/Seams.h"
#include "directory/TrustedDomains.h"
#include "platform/Platform.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace {

constexpr int ImageSize = 32;
constexpr int PanelHeight = 88;
constexpr int ProgressHeight = 22;
constexpr int ProgressWidth = 320;
// The reset state of the add windows' bar: no block filled out of 10000.
constexpr int32_t ProgressAtRest = 1;
constexpr int32_t ProgressMax = 10000;
constexpr int ShowNormal = 1;

QLabel *image(QWidget *parent, const char *name, QStyle::StandardPixmap picture)
{
    QLabel *label = named(new QLabel(parent), name);
    label->setPixmap(parent->style()->standardIcon(picture).pixmap(ImageSize, ImageSize));
    label->setFixedSize(ImageSize, ImageSize);
    return label;
}

QComboBox *domainCombo(QWidget *parent)
{
    auto *combo = named(new QComboBox(parent), "COMBO_Domain");
    // A typed domain is used as typed; it never joins the list.
    Make_TypedComboBox(combo);
    return combo;
}

// Focus that comes and goes with the whole window (another window, a
// message box, a drop-down opening) is not the operator moving between
// fields.
bool movesBetweenFields(const QFocusEvent &event)
{
    return event.reason() != Qt::ActiveWindowFocusReason &&
           event.reason() != Qt::PopupFocusReason;
}

} // namespace

const QString TaskWindow::DomainHint =
    QStringLiteral("Select a domain from the dropdown list, or type a \\\\Computer Name.");

TaskWindow::TaskWindow(const TaskWindowKind &kind, QWidget *parent)
    : QWidget(parent),
      LABEL_Domain(named(new QLabel(QStringLiteral("Domain:"), this), "LABEL_Domain")),
      COMBO_Domain(domainCombo(this)),
      PICTURE_Status(named(new PictureBox(this), "PICTURE_Status")),
      IMAGE_Info(image(PICTURE_Status, "IMAGE_Info", QStyle::SP_MessageBoxInformation)),
      IMAGE_Success(image(PICTURE_Status, "IMAGE_Success", QStyle::SP_DialogApplyButton)),
      IMAGE_Fail(image(PICTURE_Status, "IMAGE_Fail", QStyle::SP_MessageBoxCritical)),
      LABEL_Status(named(new QLabel(PICTURE_Status), "LABEL_Status")),
      LABEL_Stamp(named(new QLabel(PICTURE_Status), "LABEL_Stamp")),
      PICTURE_Progress(kind.addWindow >= 0 ? named(new PictureBox, "PICTURE_Progress") : nullptr),
      LABEL_Revision(named(new QLabel(this), "LABEL_Revision")),
      m_kind(kind)
{
    LABEL_Domain->setBuddy(COMBO_Domain);
    LABEL_Status->setWordWrap(true);
    LABEL_Status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LABEL_Stamp->setAlignment(Qt::AlignRight | Qt::AlignTop);
    PICTURE_Status->setFixedHeight(PanelHeight);
    IMAGE_Success->setVisible(false);
    IMAGE_Fail->setVisible(false);
    // The panel starts in the hint colours, so that the handlers the load
    // sets off find it in hint mode.
    PICTURE_Status->setBackColor(appContext().PanelColor);

    auto *panel = new QGridLayout(PICTURE_Status);
    panel->addWidget(IMAGE_Info, 0, 0, Qt::AlignTop);
    panel->addWidget(IMAGE_Success, 0, 0, Qt::AlignTop);
    panel->addWidget(IMAGE_Fail, 0, 0, Qt::AlignTop);
    panel->addWidget(LABEL_Status, 0, 1);
    panel->addWidget(LABEL_Stamp, 0, 2);
    panel->setColumnStretch(1, 1);

    onFocus(
        COMBO_Domain, [this] { COMBO_Domain_GotFocus(); }, [this] { COMBO_Domain_LostFocus(); });
    connect(COMBO_Domain, &QComboBox::editTextChanged, this, [this] { COMBO_Domain_Change(); });
    connect(COMBO_Domain, &QComboBox::activated, this, [this] { COMBO_Domain_Click(); });
}

TaskWindow::~TaskWindow() { qApp->removeEventFilter(this); }

void TaskWindow::setContent(QBoxLayout *content)
{
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(content);
    outer->addWidget(PICTURE_Status);
    if (PICTURE_Progress) {
        // The bar snaps its canvas to a whole number of blocks: the box sits
        // in a holder of its own, where no layout sizes it back.
        auto *holder = new QWidget(this);
        holder->setFixedHeight(ProgressHeight);
        PICTURE_Progress->setParent(holder);
        PICTURE_Progress->setGeometry(0, 0, ProgressWidth, ProgressHeight);
        outer->addWidget(holder);
    }
    outer->addWidget(LABEL_Revision);
}

QString TaskWindow::hintText(const QString &sentence) const
{
    return title() + QStringLiteral(". \n\n") + sentence;
}

QString TaskWindow::neutralText() const { return title() + u'.'; }

bool TaskWindow::inResultMode() const
{
    return PICTURE_Status->backColor() != appContext().PanelColor;
}

void TaskWindow::Form_Load(QComboBox *secondDomainList)
{
    // One filter on the application serves every handler: the window sees its
    // keys before its controls (and Ctrl+Tab before the frame's own window
    // switching), and the focus and other events of the controls it was given
    // handlers for. Installed once the window is whole.
    qApp->installEventFilter(this);

    setWindowTitle(title() + QStringLiteral(" - ") + Get_LogonDomain() + u'\\' + Get_UserName());

    AppContext &context = appContext();
    if (context.DomainList.isEmpty())
        Get_TrustedDomains(context.DomainList);
    ComboListControl first(COMBO_Domain);
    ComboListControl second(secondDomainList);
    Load_DomainList(first, m_kind.offersMyComputer, secondDomainList ? &second : nullptr);
    // Filling a list selects its first entry; the fields start empty.
    for (QComboBox *list : {COMBO_Domain, secondDomainList}) {
        if (list) {
            list->setCurrentIndex(-1);
            list->setEditText(QString());
        }
    }

    if (isAddWindow()) {
        if (CProgressBar *bar = sharedProgressBar())
            bar->setCanvas(PICTURE_Progress);
        ProgressIndicator &progress = context.SharedProgress();
        progress.setValue(ProgressAtRest);
        progress.setMax(ProgressMax);
    }

    Load_Settings();
    Show_Result(*this, neutralText(), false, true, {}, {}, {});
    LABEL_Revision->setText(Revision_Text());
}

void TaskWindow::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    Save_Settings();
    if (isAddWindow())
        appContext().AddWindowOpen[std::size_t(m_kind.addWindow)] = false;
}

void TaskWindow::closeEvent(QCloseEvent *event)
{
    // The handler on the stack still uses the window: it closes once the
    // task has returned.
    if (taskRunning()) {
        m_closePending = true;
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

TaskWindow::TaskScope::TaskScope(TaskWindow &window) : m_window(window)
{
    if (m_window.m_taskDepth++ == 0)
        m_window.m_stopRequested = false;
}

TaskWindow::TaskScope::~TaskScope()
{
    if (--m_window.m_taskDepth > 0 || !m_window.m_closePending)
        return;
    // From the event loop: what called the handler (a button's release) still
    // runs on this window's widgets.
    QMetaObject::invokeMethod(
        &m_window, [window = &m_window] { window->close(); }, Qt::QueuedConnection);
}

bool TaskWindow::letEventsRun()
{
    seams::doEvents();
    return !stopRequested();
}

void TaskWindow::runTask(const std::function<void()> &task)
{
    if (taskRunning() || m_closePending)
        return;
    TaskScope scope(*this);
    task();
}

void TaskWindow::Show_Hint(const QString &sentence)
{
    Show_Result(*this, hintText(sentence), false, true, {}, {}, {});
}

void TaskWindow::Show_Neutral() { Show_Result(*this, neutralText(), false, true, {}, {}, {}); }

void TaskWindow::COMBO_Domain_GotFocus()
{
    setLabelFocused(LABEL_Domain, true);
    Show_Hint(DomainHint);
}

void TaskWindow::COMBO_Domain_LostFocus()
{
    setLabelFocused(LABEL_Domain, false);
    const QString text = COMBO_Domain->currentText();
    const QString cased = Domain_Case(text);
    if (cased != text)
        COMBO_Domain->setEditText(cased);
}

void TaskWindow::COMBO_Domain_Change()
{
    if (inResultMode())
        Show_Hint(DomainHint);
}

void TaskWindow::COMBO_Domain_Click() { Show_Hint(DomainHint); }

void TaskWindow::addTextField(QLineEdit *field, QLabel *label, const QString &hintSentence,
                              bool upperCaseOnLeave)
{
    onFocus(
        field,
        [this, field, label, hintSentence] {
            setLabelFocused(label, true);
            selectAll(field);
            Show_Hint(hintSentence);
        },
        [this, field, label, upperCaseOnLeave] {
            setLabelFocused(label, false);
            Show_Neutral();
            if (upperCaseOnLeave && field->text() != field->text().toUpper())
                field->setText(field->text().toUpper());
        });
    connect(field, &QLineEdit::textChanged, this, [this, hintSentence] {
        if (inResultMode())
            Show_Hint(hintSentence);
    });
}

void TaskWindow::onFocus(QWidget *control, std::function<void()> gotFocus,
                         std::function<void()> lostFocus)
{
    m_focusHandlers.insert(control, {std::move(gotFocus), std::move(lostFocus)});
}

void TaskWindow::onEvent(QObject *control, int eventType, std::function<void()> handler)
{
    m_eventHandlers.insert({control, eventType}, std::move(handler));
}

void TaskWindow::setLabelFocused(QLabel *label, bool focused)
{
    QPalette palette = label->palette();
    const OleColor color = focused ? appContext().FocusColor : ole::SystemButtonText;
    palette.setColor(QPalette::WindowText, ole::toQColor(color));
    label->setPalette(palette);
}

void TaskWindow::selectAll(QLineEdit *field) { field->setSelection(0, int(field->text().size())); }

void TaskWindow::showWorking()
{
    seams::setPointer(seams::Pointer::Wait);
    LABEL_Stamp->setText(QStringLiteral("Working..."));
    repaint();
}

bool TaskWindow::Refuse_Field(QWidget *field, const QString &message,
                              const QString &titleSuffix)
{
    seams::beep();
    seams::messageBox(message, seams::OkOnly, seams::Exclamation, AppTitle + titleSuffix);
    field->setFocus();
    return false;
}

void TaskWindow::Fail_Task(const QString &first, const QString &second)
{
    const QString text = second.isEmpty() ? first : first + QStringLiteral("\n\n") + second;
    Show_Result(*this, text, false, false, {}, {}, {});
}

bool TaskWindow::startListing(QWidget *button, const QString &missingText,
                              const QString &titleSuffix, QString &domain)
{
    button->setFocus();
    if (!letEventsRun())
        return false;
    Show_Neutral();
    domain = Trim_Blanks(COMBO_Domain->currentText());
    if (domain.isEmpty())
        return Refuse_Field(COMBO_Domain, missingText, titleSuffix);
    return true;
}

bool TaskWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && isOwnControl(watched) &&
        Form_KeyDown(static_cast<const QKeyEvent &>(*event)))
        return true;
    const auto handler = m_eventHandlers.constFind({watched, int(type)});
    if (handler != m_eventHandlers.constEnd())
        (*handler)();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut)
        focusChanged(watched, static_cast<const QFocusEvent &>(*event));
    return QWidget::eventFilter(watched, event);
}

void TaskWindow::focusChanged(QObject *control, const QFocusEvent &event)
{
    const auto handlers = m_focusHandlers.constFind(control);
    if (handlers == m_focusHandlers.constEnd() || !movesBetweenFields(event))
        return;
    const auto &handler = event.gotFocus() ? handlers->gotFocus : handlers->lostFocus;
    if (handler)
        handler();
}

bool TaskWindow::isOwnControl(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && (widget == this || isAncestorOf(widget));
}

bool TaskWindow::Form_KeyDown(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Escape) {
        close();
        return true;
    }
    if (event.key() == Qt::Key_F1) {
        platform::shell().open(QStringLiteral("winhlp32.exe"),
                               {HelperFolder() + u'/' + ExeBaseName + QStringLiteral(".hlp")},
                               ShowNormal);
        return true;
    }
    if (event.key() == Qt::Key_Tab && (event.modifiers() & Qt::ControlModifier)) {
        seams::messageBox(Diagnostic_Text(), seams::OkOnly, seams::NoIcon);
        return true;
    }
    return false;
}
