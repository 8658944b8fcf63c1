#pragma once
// The application object: title, termination, the message loop, the active window,
// and the one dispatcher through which every event handler is entered.
#include "toolkit/forms.h"

#include <QSet>
#include <exception>
#include <functional>
#include <memory>

class TApplication {
public:
    TApplication(int& argc, char** argv);
    ~TApplication();

    QString Title() const { return title_; }
    void SetTitle(const QString& t);
    // Only queues a quit; the caller goes on and the loop ends when it takes it.
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    // Processes window messages as they come, for at most ms milliseconds: a wait that
    // polls a condition with it does not keep a processor busy.
    void HandleMessages(int ms);
    TForm* MainForm() const { return mainForm_; }
    // The first form registered becomes the main form.
    void RegisterForm(TForm* f);
    // Shows the main form and runs the loop until a quit is taken.
    void Run();

    // Shows a failure in the default error box ("." added when the last character sorts after ".").
    void ShowException(const QString& message);
    // The same once the window system has finished what it is doing (a paint), one box at a time and
    // only for a failure that no box has shown yet: a paint fails again each time it runs.
    void ShowExceptionLater(const QString& message);

    TForm* ActiveForm() const { return activeForm_; }
    // Called by forms: keeps track of which form is active and fires its activation.
    void FormShown(TForm* f);
    void FormHidden(TForm* f);
    void FormActivatedByWindowSystem(TForm* f);
    void FormDestroyed(TForm* f);

private:
    void Activate(TForm* f);
    struct Impl;
    std::unique_ptr<Impl> impl_;
    QString title_;
    bool terminated_ = false;
    QSet<QString> shown_;
    bool later_pending_ = false;
    TForm* mainForm_ = nullptr;
    TForm* activeForm_ = nullptr;
    std::vector<TForm*> forms_;
};

extern TApplication* Application;

// Runs an event handler; whatever escapes it is shown in the default error box and the
// program goes on. No exception crosses the window system's event loop.
void Dispatch(const std::function<void()>& handler) noexcept;

// The message that the default error box shows for a failure ("" for an abort, which shows nothing).
QString FailureMessage(const std::exception_ptr& failure);

// Runs the program's code where the window system paints or asks for what it shows (a cell's text),
// and no box may open: a failure is shown after the paint (see ShowExceptionLater). False when it
// failed.
template <class F> bool DispatchInPaint(F&& code) noexcept
{
    try {
        code();
        return true;
    } catch (...) {
        try {
            if (Application)
                Application->ShowExceptionLater(FailureMessage(std::current_exception()));
        } catch (...) {
        }
        return false;
    }
}
