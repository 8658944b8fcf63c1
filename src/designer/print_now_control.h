#pragma once
// The print control window of a batch run.
#include "app/dialog_form.h"
#include "toolkit/stdctrls.h"

class TForm6 : public TDialogForm {
public:
    TForm6();
    TLabel* Label1;
    TButton *print_start, *stop_print, *Button1;

    void print_startClick(TObject* Sender);
    void stop_printClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender);

private:
    bool running_ = false; // a batch run started here is in progress
};

extern TForm6* Form6;
