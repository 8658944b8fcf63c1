#pragma once
// Base classes of every window and control: placement, visibility, fonts, focus.
#include "toolkit/graphics.h"

#include <QString>
#include <functional>
#include <vector>

class QWidget;
class TForm;
class TWinControl;
class TPopupMenu;

class TObject {
public:
    virtual ~TObject() = default;
    QString Name;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
// Key is the typed character (13 Enter, 27 Esc); setting it to 0 swallows the key.
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;

// An event that runs a handler of the object that wires it: Handler(this, &TForm1::Button1Click).
template <class T, class C, class... Args>
std::function<void(TObject*, Args...)> Handler(T* object, void (C::*handler)(TObject*, Args...))
{
    return [object, handler](TObject* sender, Args... args) { (object->*handler)(sender, args...); };
}

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TCursor { crDefault, crHandPoint };

// A control wraps a widget that it does not own. A form deletes its window, and with it every widget,
// before it frees its controls: no control destructor may touch its widget. A control freed on its
// own leaves its parent's list; its widget stays until the window goes.
class TControl : public TObject {
public:
    TControl(TWinControl* parent, QWidget* widget);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    TWinControl* Parent() const { return parent_; }
    TForm* Form() const;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void SetBounds(int left, int top, int width, int height);

    // The control's own flag; Showing() also asks every parent.
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign a);
    QString Hint() const { return hint_; }
    void SetHint(const QString& h);
    void SetCursor(TCursor c);
    TColor Color() const { return color_; }
    // Background colour; only containers and forms paint one.
    void SetColor(TColor c);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& f);
    void SetPopupMenu(TPopupMenu* menu);

    // The window-system widget, for the platform layers and tests.
    QWidget* Handle() const { return widget_; }
    static TControl* FromWidget(const QWidget* w);

protected:
    virtual void ApplyFont();
    QWidget* widget_;

private:
    TWinControl* parent_;
    bool visible_ = true;
    bool enabled_ = true;
    TAlign align_ = alNone;
    QString hint_;
    TColor color_ = clBtnFace;
    bool colorSet_ = false;
    TFont font_;
};

// A control that can hold children and take the keyboard focus.
class TWinControl : public TControl {
public:
    TWinControl(TWinControl* parent, QWidget* widget, QWidget* client = nullptr);
    // Frees the child controls; their widgets went with this control's.
    ~TWinControl() override;
    // Where children are placed.
    QWidget* ClientWidget() const { return client_; }
    int ClientWidth() const;
    int ClientHeight() const;

    bool Focused() const;
    bool CanFocus() const;
    // Raises "Cannot focus a disabled or invisible window" for a hidden or disabled control.
    void SetFocus();

    // Lays out the aligned children again (top, bottom, left, right, then client).
    void Realign();
    void AddChild(TControl* c) { children_.push_back(c); }
    // The controls placed on this one.
    const std::vector<TControl*>& Controls() const { return children_; }

private:
    friend class TControl;
    void RemoveChild(TControl* c);

    QWidget* client_;
    std::vector<TControl*> children_;
};
