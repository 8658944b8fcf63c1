#pragma once
// The e-mail dialog: checks and stores the current guest's address and starts an e-mail
// through the web service's form.
#include "app/dialog_form.h"
#include "net/web_browser.h"
#include "toolkit/extctrls.h"
#include "toolkit/stdctrls.h"

#include <QByteArray>

class TForm8 : public TDialogForm {
public:
    TForm8();
    TLabel *name_lastname, *other_text;
    TImage* Image1;
    TLabeledEdit* email;
    TButton *Button1, *Button2;
    // Out of sight: it loads the generated page, whose form opens the reply in a window of its own.
    TWebBrowser* wwwform;

    void FormActivate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void emailKeyPress(TObject* Sender, QChar& Key);
    void FormClose(TObject* Sender);
};

extern TForm8* Form8;

namespace Unit8 {
// The last page handed to the browser control, single-byte.
extern QByteArray html_text;
} // namespace Unit8
