#include "toolkit/controls.h"

#include "system/sysutils.h"
#include "toolkit/application.h"
#include "toolkit/forms.h"
#include "toolkit/menus.h"
#include "toolkit/widgets_p.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QMouseEvent>
#include <QPalette>
#include <QVariant>
#include <QWidget>

static const char* kControlProperty = "krv_tcontrol";

TControl::TControl(TWinControl* parent, QWidget* widget) : widget_(widget), parent_(parent)
{
    widget_->setProperty(kControlProperty, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(this)));
    if (parent_) {
        widget_->setParent(parent_->ClientWidget());
        parent_->AddChild(this);
        widget_->show();
    }
}

// The widget is gone already when the form frees its controls (see the class).
TControl::~TControl()
{
    if (parent_)
        parent_->RemoveChild(this);
}

TControl* TControl::FromWidget(const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        const QVariant v = w->property(kControlProperty);
        if (v.isValid())
            return reinterpret_cast<TControl*>(v.value<quintptr>());
    }
    return nullptr;
}

TForm* TControl::Form() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

int TControl::Left() const
{
    return widget_->x();
}
int TControl::Top() const
{
    return widget_->y();
}
int TControl::Width() const
{
    return widget_->width();
}
int TControl::Height() const
{
    return widget_->height();
}
void TControl::SetLeft(int v)
{
    widget_->move(v, widget_->y());
}
void TControl::SetTop(int v)
{
    widget_->move(widget_->x(), v);
}

void TControl::SetWidth(int v)
{
    widget_->resize(v, widget_->height());
    if (parent_)
        parent_->Realign();
}

void TControl::SetHeight(int v)
{
    widget_->resize(widget_->width(), v);
    if (parent_)
        parent_->Realign();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    widget_->setGeometry(left, top, width, height);
    if (parent_)
        parent_->Realign();
}

void TControl::SetVisible(bool v)
{
    visible_ = v;
    widget_->setVisible(v);
    if (parent_)
        parent_->Realign();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->Visible())
            return false;
    return true;
}

void TControl::SetEnabled(bool v)
{
    enabled_ = v;
    widget_->setEnabled(v);
}

void TControl::SetAlign(TAlign a)
{
    align_ = a;
    if (parent_)
        parent_->Realign();
}

void TControl::SetHint(const QString& h)
{
    hint_ = h;
    widget_->setToolTip(h);
}

void TControl::SetCursor(TCursor c)
{
    widget_->setCursor(c == crHandPoint ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TControl::SetColor(TColor c)
{
    color_ = c;
    colorSet_ = true;
    QWidget* target = widget_;
    if (auto* w = dynamic_cast<TWinControl*>(this))
        target = w->ClientWidget();
    QPalette p = target->palette();
    p.setColor(QPalette::Window, ToQColor(c));
    target->setPalette(p);
    target->setAutoFillBackground(true);
    if (target != widget_) {
        widget_->setPalette(p);
        widget_->setAutoFillBackground(true);
    }
}

void TControl::SetFont(const TFont& f)
{
    font_ = f;
    ApplyFont();
}

void TControl::ApplyFont()
{
    widget_->setFont(font_.ToQFont());
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    widget_->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget_, &QWidget::customContextMenuRequested, widget_, [this, menu](const QPoint& pos) {
        // A scrolling view reports the position in its viewport, below its title row.
        const auto* view = qobject_cast<QAbstractScrollArea*>(widget_);
        const QPoint g = (view ? view->viewport() : widget_)->mapToGlobal(pos);
        menu->Popup(g.x(), g.y());
    });
}

TWinControl::TWinControl(TWinControl* parent, QWidget* widget, QWidget* client)
    : TControl(parent, widget), client_(client ? client : widget)
{
}

TWinControl::~TWinControl()
{
    // Each child leaves the list as it goes; the last placed goes first.
    while (!children_.empty())
        delete children_.back();
}

int TWinControl::ClientWidth() const
{
    return client_->width();
}
int TWinControl::ClientHeight() const
{
    return client_->height();
}

void TWinControl::RemoveChild(TControl* c)
{
    std::erase(children_, c);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    const TForm* f = Form();
    return f && f->Visible() && f->Enabled();
}

bool TWinControl::Focused() const
{
    const TForm* f = Form();
    return f && Application && Application->ActiveForm() == f && f->ActiveControl() == this;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw Exception("Cannot focus a disabled or invisible window");
    TForm* f = Form();
    f->SetActiveControl(this);
    widget_->setFocus(Qt::OtherFocusReason);
}

void TWinControl::Realign()
{
    QRect r(0, 0, client_->width(), client_->height());
    auto place = [&](TAlign kind) {
        for (TControl* c : children_) {
            if (c->Align() != kind || !c->Visible())
                continue;
            QWidget* w = c->Handle();
            switch (kind) {
            case alTop:
                w->setGeometry(r.left(), r.top(), r.width(), w->height());
                r.setTop(r.top() + w->height());
                break;
            case alBottom:
                w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
                r.setBottom(r.bottom() - w->height());
                break;
            case alLeft:
                w->setGeometry(r.left(), r.top(), w->width(), r.height());
                r.setLeft(r.left() + w->width());
                break;
            case alRight:
                w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), r.height());
                r.setRight(r.right() - w->width());
                break;
            case alClient:
                w->setGeometry(r);
                break;
            case alNone:
                break;
            }
        }
    };
    for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient})
        place(a);
}

void AlignHost::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (owner_)
        owner_->Realign();
}

bool RunClick(const std::function<void(TObject*)>& handler, TObject* sender)
{
    if (!handler)
        return false;
    Dispatch([&] { handler(sender); });
    return true;
}

void AlignHost::mouseReleaseEvent(QMouseEvent* e)
{
    QWidget::mouseReleaseEvent(e);
    if (clicked && clicked())
        e->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    if (clicked && clicked())
        e->accept();
}
