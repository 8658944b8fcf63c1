#pragma once
// What every dialog of the program shares: a fixed-size, centred window whose close
// hands over to the main window.
#include "toolkit/forms.h"
#include "toolkit/stdctrls.h"

#include <functional>

class TDialogForm : public TForm {
public:
    TDialogForm(const QString& name, const QString& caption, int clientWidth, int clientHeight);
    // Shows the dialog; the main window takes no input until the dialog hands over.
    void Open();

protected:
    // The close side of the hand-over: "close" into stop_page_now where the dialog writes it,
    // and the main window enabled again.
    static void hand_over(bool write_close);
    // The current guest's name line (name, or name and lastname) and other text, untrimmed.
    static void show_current_guest(TLabel* name_line, TLabel* other_line);
    // The edit boxes' keys: Enter (13) saves, Esc (27) cancels; every other key passes.
    static void enter_esc(QChar Key, const std::function<void()>& on_enter,
                          const std::function<void()>& on_esc);
};
