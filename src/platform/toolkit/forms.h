#pragma once
#include <memory>
#include <vector>
// Top-level windows: modeless show, close that hides, enabling, placement, activation.
#include "toolkit/controls.h"

#include <cstdint>

enum TBorderStyle { bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter };
enum TWindowState { wsNormal, wsMaximized };

class TMainMenu;
class FormWindow;
class QScrollArea;

class TForm : public TWinControl {
public:
    TForm();
    ~TForm() override;

    QString Caption() const;
    void SetCaption(const QString& c);
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    void SetBorderStyle(TBorderStyle b);
    // The client area is never laid out smaller than this; a smaller window scrolls it.
    void SetMinClientSize(int w, int h);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    void SetWindowState(TWindowState s) { windowState_ = s; }

    // Visible and active at once; the call returns immediately.
    void Show();
    // Runs OnClose, then hides; the form lives on. Closing the main form ends the program.
    void Close();
    void Hide();
    bool Visible() const;
    void SetEnabled(bool v) override;

    // The control that has (or had last) the focus within this form.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* c) { activeControl_ = c; }

    // The window id where the window system is X11, else 0.
    std::uint32_t WindowSystemHandle() const;
    // Shows the menu and frees it with the form.
    void AttachMenu(TMainMenu* menu);
    // Frees a component that is not a control (timer, menu, dialog) with the form.
    template <typename T> T* Own(T* component)
    {
        components_.emplace_back(component);
        return component;
    }
    // The Tab key visits these controls in this order.
    void SetTabOrder(const std::vector<TWinControl*>& order);

    // Fires at the first show and whenever the form becomes the program's active window again.
    TNotifyEvent OnActivate;
    TNotifyEvent OnClose;
    TNotifyEvent OnCreate;

    // Runs OnCreate through the dispatcher: a failure there is shown and creation goes on.
    void DoCreate();

private:
    struct Parts {
        FormWindow* window;
        QWidget* client;
    };
    static Parts MakeParts(TForm* form);
    explicit TForm(Parts parts);
    friend class FormWindow;
    void CloseFromWindow();
    void PlaceOnScreen();
    FormWindow* window_;
    QScrollArea* scroller_ = nullptr;
    std::vector<std::unique_ptr<TObject>> components_;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TBorderStyle border_ = bsSizeable;
    TWinControl* activeControl_ = nullptr;
    bool closing_ = false;
};
