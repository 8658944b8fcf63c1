#pragma once
// The window menu, its items with captions and shortcuts, and popup menus.
#include "toolkit/controls.h"

#include <vector>

class QAction;
class QMenu;
class QMenuBar;

class TMenuItem : public TObject {
public:
    TMenuItem();
    ~TMenuItem() override;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& c);
    // Shortcut text such as "Ctrl+G", "Alt+Backspace", "Ctrl+Alt+P".
    void SetShortCut(const QString& s);
    void Add(TMenuItem* child);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_[i]; }
    // As if the user chose it.
    void Click();
    TNotifyEvent OnClick;

    QAction* Action() const { return action_; }
    QMenu* SubMenu();

private:
    QString caption_;
    QAction* action_;
    QMenu* submenu_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TMainMenu : public TObject {
public:
    // The owner frees it; its bar goes with the owner's window.
    explicit TMainMenu(TForm* owner);
    ~TMainMenu() override;
    void Add(TMenuItem* top);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_[i]; }
    QMenuBar* Bar() const { return bar_; }

private:
    QMenuBar* bar_;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TObject {
public:
    TPopupMenu();
    ~TPopupMenu() override;
    void Add(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int i) const { return items_[i]; }
    void Popup(int screenX, int screenY);

private:
    QMenu* menu_;
    std::vector<TMenuItem*> items_;
};
