#include "toolkit/menus.h"

#include "toolkit/application.h"
#include "toolkit/forms.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

TMenuItem::TMenuItem() : action_(new QAction)
{
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        if (OnClick)
            Dispatch([this] { OnClick(this); });
    });
}

TMenuItem::~TMenuItem()
{
    for (TMenuItem* i : items_)
        delete i;
    delete submenu_;
    delete action_;
}

void TMenuItem::SetCaption(const QString& c)
{
    caption_ = c;
    action_->setText(c);
    if (submenu_)
        submenu_->setTitle(c);
}

void TMenuItem::SetShortCut(const QString& s)
{
    action_->setShortcut(QKeySequence(s));
}

QMenu* TMenuItem::SubMenu()
{
    if (!submenu_) {
        submenu_ = new QMenu(caption_);
        action_->setMenu(submenu_);
    }
    return submenu_;
}

void TMenuItem::Add(TMenuItem* child)
{
    items_.push_back(child);
    SubMenu()->addAction(child->Action());
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

TMainMenu::TMainMenu(TForm* owner) : bar_(new QMenuBar)
{
    owner->AttachMenu(this);
}

TMainMenu::~TMainMenu()
{
    for (TMenuItem* i : items_)
        delete i;
}

void TMainMenu::Add(TMenuItem* top)
{
    items_.push_back(top);
    bar_->addMenu(top->SubMenu());
}

TPopupMenu::TPopupMenu() : menu_(new QMenu) {}

TPopupMenu::~TPopupMenu()
{
    for (TMenuItem* i : items_)
        delete i;
    delete menu_;
}

void TPopupMenu::Add(TMenuItem* item)
{
    items_.push_back(item);
    menu_->addAction(item->Action());
}

void TPopupMenu::Popup(int screenX, int screenY)
{
    menu_->popup(QPoint(screenX, screenY));
}
