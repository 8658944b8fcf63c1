#include "toolkit/forms.h"

#include "toolkit/application.h"
#include "toolkit/menus.h"
#include "toolkit/native_window_follower.h"
#include "toolkit/widgets_p.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>

FormWindow::FormWindow(TForm* form) : QWidget(nullptr, Qt::Window), form_(form)
{
    new NativeWindowFollower(this);
}

void FormWindow::closeEvent(QCloseEvent* e)
{
    // The form decides: it hides itself, or ends the program when it is the main form.
    // A disabled window takes no input, its close box included.
    e->ignore();
    if (form_->Enabled())
        Dispatch([this] { form_->CloseFromWindow(); });
}

void FormWindow::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && Application)
        Application->FormActivatedByWindowSystem(form_);
}

TForm::Parts TForm::MakeParts(TForm* form)
{
    auto* window = new FormWindow(form);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* client = new AlignHost(form, window);
    layout->addWidget(client);
    return {window, client};
}

TForm::TForm() : TForm(MakeParts(this)) {}

TForm::TForm(Parts parts) : TWinControl(nullptr, parts.window, parts.client), window_(parts.window)
{
    if (Application)
        Application->RegisterForm(this);
}

TForm::~TForm()
{
    if (Application)
        Application->FormDestroyed(this);
    delete window_;
    while (!components_.empty())
        components_.pop_back();
}

QString TForm::Caption() const
{
    return window_->windowTitle();
}
void TForm::SetCaption(const QString& c)
{
    window_->setWindowTitle(c);
}

void TForm::SetClientWidth(int w)
{
    // The client area spans the window's width; sizes read before the first show mean nothing.
    window_->resize(w, window_->height());
    ClientWidget()->resize(w, ClientWidget()->height());
    if (border_ == bsDialog)
        window_->setFixedSize(window_->size());
}

void TForm::SetClientHeight(int h)
{
    int menu = 0;
    if (auto* bar = window_->findChild<QMenuBar*>())
        menu = bar->sizeHint().height();
    window_->resize(window_->width(), h + menu);
    ClientWidget()->resize(ClientWidget()->width(), h);
    if (border_ == bsDialog)
        window_->setFixedSize(window_->size());
}

void TForm::SetMinClientSize(int w, int h)
{
    // A window smaller than this, on a small screen, scrolls its client area: every control stays
    // within reach and the window still fits the screen.
    if (!scroller_) {
        scroller_ = new QScrollArea(window_);
        scroller_->setFrameShape(QFrame::NoFrame);
        scroller_->setWidgetResizable(true);
        delete window_->layout()->replaceWidget(ClientWidget(), scroller_);
        scroller_->setWidget(ClientWidget());
    }
    ClientWidget()->setMinimumSize(w, h);
}

void TForm::SetBorderStyle(TBorderStyle b)
{
    border_ = b;
    if (b == bsDialog) {
        // A dialog window with only a title and a close box: the window manager keeps it above
        // the window it belongs to and offers no minimising of its own.
        window_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
        window_->setFixedSize(window_->size());
    }
}

void TForm::AttachMenu(TMainMenu* menu)
{
    static_cast<QVBoxLayout*>(window_->layout())->setMenuBar(menu->Bar());
    Own(menu);
}

void TForm::PlaceOnScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    if (position_ == poScreenCenter) {
        const QSize s = window_->frameGeometry().size();
        window_->move(area.left() + (area.width() - s.width()) / 2,
                      area.top() + (area.height() - s.height()) / 2);
    }
}

void TForm::Show()
{
    if (!window_->isVisible()) {
        PlaceOnScreen();
        if (Application && Application->MainForm() && Application->MainForm() != this) {
            window_->winId();
            if (QWindow* w = window_->windowHandle())
                w->setTransientParent(Application->MainForm()->Handle()->windowHandle());
        }
        if (windowState_ == wsMaximized)
            window_->showMaximized();
        else
            window_->show();
    }
    window_->raise();
    window_->activateWindow();
    if (Application)
        Application->FormShown(this);
}

void TForm::Hide()
{
    if (!window_->isVisible())
        return;
    window_->hide();
    if (Application)
        Application->FormHidden(this);
}

bool TForm::Visible() const
{
    return window_->isVisible();
}

void TForm::SetEnabled(bool v)
{
    TControl::SetEnabled(v);
}

void TForm::Close()
{
    if (closing_)
        return;
    closing_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{closing_};
    if (OnClose)
        OnClose(this);
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    Hide();
}

void TForm::CloseFromWindow()
{
    Close();
}

void TForm::DoCreate()
{
    if (OnCreate)
        Dispatch([this] { OnCreate(this); });
}

void TForm::SetTabOrder(const std::vector<TWinControl*>& order)
{
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->Handle(), order[i]->Handle());
}

std::uint32_t TForm::WindowSystemHandle() const
{
    if (QGuiApplication::platformName() != "xcb")
        return 0;
    return static_cast<std::uint32_t>(window_->winId());
}
