// The frame every task window shares: the domain drop-down, labels that light
// up while their field has the focus, the outcome panel at the bottom (a hint
// for the field in use, or the outcome of the last action), the copyright
// line, the keys every window answers, and loading and unloading in a fixed
// order. A window's own class adds its controls and the handlers in which it
// differs, and calls Form_Load once its controls exist.
//
// Controls are public members named as the controls are named (and each
// widget's objectName is that name), so that a window's handlers read like
// the steps they carry out.
//
// Tasks. A press starts a task: a handler that may let pending events run,
// and while they run the operator can press again or close the window. The
// frame keeps every window safe from both:
//   * connectTask(BUTTON_Add, &MyWindow::BUTTON_Add_Click) runs the handler as
//     a task. A press while any task of the window runs is ignored. Any signal
//     can start a task: connectTask(LIST_Items, &QListWidget::itemDoubleClicked,
//     &MyWindow::LIST_Items_DblClick).
//   * connectStop(BUTTON_Cancel, &MyWindow::BUTTON_Cancel_Click): a stop button
//     stays live during the task; its handler usually calls requestStop().
//   * letEventsRun() is the only way a task lets events run. When it returns
//     false (a close or a stop was asked for), the handler ends at once: it
//     starts no further directory write and no further search step. A write
//     already sent is finished, its outcome shown and logged as usual.
//       if (!letEventsRun())
//           return;
//   * A close asked for during a task (Escape, the close box, Ctrl+F4, the main
//     window closing) is refused and remembered; once the task has returned,
//     the window closes, once however often it was asked. So a window is never
//     destroyed under its own running handler.
//   * TaskScope marks the window busy for a task that no signal starts (a
//     timer): TaskWindow::TaskScope scope(*this);
#pragma once

#include <QAbstractButton>
#include <QHash>
#include <QString>
#include <QWidget>
#include <functional>

class PictureBox;
class QBoxLayout;
class QCloseEvent;
class QComboBox;
class QFocusEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;

// What sets one task window apart in the common frame.
struct TaskWindowKind {
    // Used in the caption, hints, status texts, log lines and settings section.
    QString title;
    // Whether the domain list ends with "\\My Computer".
    bool offersMyComputer = true;
    // The add windows' index into AddWindowOpen (0 user, 1 computer, 2 group);
    // -1 for every other window. Only add windows draw the progress bar.
    int addWindow = -1;
};

class TaskWindow : public QWidget {
    Q_OBJECT

public:
    ~TaskWindow() override;

    const QString &title() const { return m_kind.title; }
    bool isAddWindow() const { return m_kind.addWindow >= 0; }

    // A field's hint: the title, ". ", two line feeds, the field's sentence.
    QString hintText(const QString &sentence) const;
    // What the panel shows when no field asks for a hint: the title and ".".
    QString neutralText() const;
    // The panel shows an outcome (any back colour but the hint colour).
    bool inResultMode() const;

    // The hint sentence of the domain field, the same in every window.
    static const QString DomainHint;

    // Marks the window busy while it lives; nests. When the outermost scope
    // ends with a close pending, the window closes from the event loop.
    class TaskScope {
    public:
        explicit TaskScope(TaskWindow &window);
        ~TaskScope();
        TaskScope(const TaskScope &) = delete;
        TaskScope &operator=(const TaskScope &) = delete;

    private:
        TaskWindow &m_window;
    };

    bool taskRunning() const { return m_taskDepth > 0; }
    // A close was asked for during the running task.
    bool closePending() const { return m_closePending; }
    // The running task should end at its next safe step.
    bool stopRequested() const { return m_closePending || m_stopRequested; }

    QLabel *const LABEL_Domain;
    QComboBox *const COMBO_Domain;
    PictureBox *const PICTURE_Status;
    QLabel *const IMAGE_Info;
    QLabel *const IMAGE_Success;
    QLabel *const IMAGE_Fail;
    QLabel *const LABEL_Status;
    QLabel *const LABEL_Stamp;
    // Only in the add windows; null elsewhere.
    PictureBox *const PICTURE_Progress;
    QLabel *const LABEL_Revision;

protected:
    TaskWindow(const TaskWindowKind &kind, QWidget *parent = nullptr);

    // Caption, domain list, progress bar, the window's remembered entries,
    // the neutral hint, the copyright line. `secondDomainList` receives the
    // same domains as COMBO_Domain.
    void Form_Load(QComboBox *secondDomainList = nullptr);
    virtual void Load_Settings() = 0;
    virtual void Save_Settings() = 0;

    // The outcome panel in hint mode with a field's hint or the neutral text.
    void Show_Hint(const QString &sentence);
    void Show_Neutral();

    // The domain field's handlers; windows with their own variant override.
    virtual void COMBO_Domain_GotFocus();
    virtual void COMBO_Domain_LostFocus();
    virtual void COMBO_Domain_Change();
    virtual void COMBO_Domain_Click();

    // Gives a text box the common handlers: on focus its label lights up, its
    // text is selected and its hint shown; on leaving, the label goes back and
    // the neutral text is shown (and the text upper-cased when asked); a change
    // while an outcome shows brings the hint back.
    void addTextField(QLineEdit *field, QLabel *label, const QString &hintSentence,
                      bool upperCaseOnLeave = false);
    // Own focus handlers for a control; either may be empty.
    void onFocus(QWidget *control, std::function<void()> gotFocus,
                 std::function<void()> lostFocus);
    // A handler for another event of a control (a key or mouse button let go,
    // a click on a label); the control still gets the event.
    void onEvent(QObject *control, int eventType, std::function<void()> handler);
    // A field's label in the focus colour, or back in the button-text colour.
    void setLabelFocused(QLabel *label, bool focused);
    static void selectAll(QLineEdit *field);

    // The hourglass and "Working..." in the stamp, painted at once.
    void showWorking();

    // Bad input: a beep, an exclamation box titled with the application title
    // and `titleSuffix` (" : Missing Domain"), the focus to the field. False,
    // for Check_Fields to return.
    bool Refuse_Field(QWidget *field, const QString &message, const QString &titleSuffix);
    // A task that stops before its directory command: red panel, `first`, two
    // line feeds and `second` (when given), nothing logged.
    void Fail_Task(const QString &first, const QString &second = {});
    // The start of a listing by `button`: the focus on it, pending events,
    // the neutral text; then the domain field's trimmed text in `domain`, an
    // empty one refused with `missingText` and `titleSuffix`. False when the
    // listing ends there.
    bool startListing(QWidget *button, const QString &missingText,
                      const QString &titleSuffix, QString &domain);

    // Places the window's own controls above the panel, the progress box and
    // the copyright line.
    void setContent(QBoxLayout *content);

    // Lets pending events run; false when the task should end now.
    bool letEventsRun();
    // Asks the running task to end at its next letEventsRun (a stop button).
    void requestStop() { m_stopRequested = true; }
    // Runs `task` as a task of this window, unless one is running already or
    // the window is about to close.
    void runTask(const std::function<void()> &task);

    template <typename Sender, typename Signal, typename Window>
    void connectTask(Sender *sender, Signal signal, void (Window::*handler)())
    {
        connect(sender, signal, this, [this, handler] {
            runTask([this, handler] { (static_cast<Window *>(this)->*handler)(); });
        });
    }
    template <typename Window>
    void connectTask(QAbstractButton *button, void (Window::*handler)())
    {
        connectTask(button, &QAbstractButton::clicked, handler);
    }
    template <typename Window>
    void connectStop(QAbstractButton *button, void (Window::*handler)())
    {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { (static_cast<Window *>(this)->*handler)(); });
    }

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FocusHandlers {
        std::function<void()> gotFocus;
        std::function<void()> lostFocus;
    };

    void Form_Unload();
    // Escape, F1 and Ctrl+Tab; true when the key was one of them.
    bool Form_KeyDown(const QKeyEvent &event);
    bool isOwnControl(QObject *object) const;
    void focusChanged(QObject *control, const QFocusEvent &event);

    TaskWindowKind m_kind;
    QHash<QObject *, FocusHandlers> m_focusHandlers;
    QHash<std::pair<QObject *, int>, std::function<void()>> m_eventHandlers;
    bool m_unloaded = false;
    int m_taskDepth = 0;
    bool m_closePending = false;
    bool m_stopRequested = false;
};
