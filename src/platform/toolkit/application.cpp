#include "toolkit/application.h"

#include "system/sysutils.h"
#include "toolkit/dialogs.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

TApplication* Application = nullptr;

namespace {

int end_signal_pipe[2] = {-1, -1};

void on_end_signal(int)
{
    const char c = 0;
    [[maybe_unused]] const ssize_t n = write(end_signal_pipe[1], &c, 1);
}

// A request to end from the session, a kill or Ctrl+C in a terminal ends the program as its Exit does, so
// that it still gives back what it holds.
void end_on_signals(TApplication* app)
{
    if (end_signal_pipe[0] >= 0 || pipe2(end_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(end_signal_pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [app] {
        char c;
        while (read(end_signal_pipe[0], &c, 1) > 0) {
        }
        app->Terminate();
    });
    struct sigaction sa {};
    sa.sa_handler = on_end_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        sigaction(sig, &sa, nullptr);
}

// Asks the window manager to activate the dialog while the window it waits on still holds the
// keyboard; a dialog being restored along with its window may not be mapped at the first request.
void hand_keyboard(QPointer<QWidget> dialog, QPointer<QWidget> waiting, int tries, int delay_ms = 0)
{
    QTimer::singleShot(delay_ms, dialog, [=] {
        // A request for a minimised pair would restore what the user has just minimised.
        if (!dialog || !waiting || !dialog->isVisible() || !waiting->isActiveWindow() ||
            waiting->isMinimized() || dialog->isMinimized())
            return;
        dialog->raise();
        dialog->activateWindow();
        if (tries > 1)
            hand_keyboard(dialog, waiting, tries - 1, 100);
    });
}

} // namespace

struct TApplication::Impl {
    std::unique_ptr<QApplication> ownApp;
};

TApplication::TApplication(int& argc, char** argv) : impl_(std::make_unique<Impl>())
{
    if (!qApp) {
        // The embedded browser's engine shares GL contexts; that is set before the application.
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        impl_->ownApp = std::make_unique<QApplication>(argc, argv);
    }
    qApp->setQuitOnLastWindowClosed(false);
    Application = this;
    end_on_signals(this);
    // Keyboard focus moved by the user: the form remembers its focused control.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        for (TControl* c = TControl::FromWidget(now); c; c = c->Parent()) {
            if (auto* w = dynamic_cast<TWinControl*>(c); w && w->Form()) {
                w->Form()->SetActiveControl(w);
                return;
            }
        }
    });
}

TApplication::~TApplication()
{
    if (Application == this)
        Application = nullptr;
}

void TApplication::SetTitle(const QString& t)
{
    title_ = t;
}

void TApplication::Terminate()
{
    terminated_ = true;
    // exit() rather than quit(): quit() asks every window to close first, and the forms
    // decline, as closing a dialog only hides it.
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessages(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void TApplication::RegisterForm(TForm* f)
{
    forms_.push_back(f);
    if (!mainForm_)
        mainForm_ = f;
}

void TApplication::FormDestroyed(TForm* f)
{
    std::erase(forms_, f);
    if (activeForm_ == f)
        activeForm_ = nullptr;
    if (mainForm_ == f) {
        mainForm_ = nullptr;
        // The failures shown belong to the main window's run.
        shown_.clear();
    }
}

void TApplication::Run()
{
    // A start that asked to end before its loop (a refused second start) shows nothing: showing
    // would activate the main window, whose first activation reads the database.
    if (terminated_) {
        ProcessMessages();
        return;
    }
    if (mainForm_)
        mainForm_->Show();
    QApplication::exec();
}

void TApplication::ShowException(const QString& message)
{
    if (message.isEmpty())
        return;
    shown_.insert(message);
    QString text = message;
    if (text.back() > QChar('.'))
        text += '.';
    Dialogs().Box(text, title_, TMsgIcon::Error);
}

void TApplication::ShowExceptionLater(const QString& message)
{
    if (message.isEmpty() || later_pending_ || shown_.contains(message))
        return;
    later_pending_ = true;
    QMetaObject::invokeMethod(
        qApp,
        [this, message] {
            Dispatch([&] { ShowException(message); });
            later_pending_ = false;
        },
        Qt::QueuedConnection);
}

void TApplication::Activate(TForm* f)
{
    if (f == activeForm_)
        return;
    activeForm_ = f;
    if (f && f->OnActivate)
        Dispatch([f] { f->OnActivate(f); });
}

void TApplication::FormShown(TForm* f)
{
    Activate(f);
}

void TApplication::FormHidden(TForm* f)
{
    if (f != activeForm_)
        return;
    activeForm_ = nullptr;
    // The program's next window takes over: the main form first.
    auto eligible = [](TForm* c) { return c->Visible() && c->Enabled(); };
    if (mainForm_ && mainForm_ != f && eligible(mainForm_)) {
        mainForm_->Handle()->activateWindow();
        Activate(mainForm_);
        return;
    }
    for (TForm* c : forms_)
        if (c != f && eligible(c)) {
            c->Handle()->activateWindow();
            Activate(c);
            return;
        }
}

void TApplication::FormActivatedByWindowSystem(TForm* f)
{
    if (f->Visible() && f->Enabled()) {
        Activate(f);
        return;
    }
    // A disabled window waits for the dialog that disabled it: the dialog keeps the keyboard,
    // whatever brought the window forward (a click, a restore, a second start).
    auto waiting = [f](TForm* c) { return c && c != f && c->Visible() && c->Enabled(); };
    TForm* open = waiting(activeForm_) ? activeForm_ : nullptr;
    for (auto c = forms_.begin(); !open && c != forms_.end(); ++c)
        if (*c != mainForm_ && waiting(*c))
            open = *c;
    if (!open)
        return;
    hand_keyboard(open->Handle(), f->Handle(), 20);
}

QString FailureMessage(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        return {};
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return "Unknown failure";
    }
}

void Dispatch(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        try {
            if (Application)
                Application->ShowException(FailureMessage(std::current_exception()));
        } catch (...) {
        }
    }
}
