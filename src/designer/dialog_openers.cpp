// Opening the main-text and print dialogs.
#include "app/Unit1.h"
#include "designer/Unit2.h"
#include "designer/print_now_control.h"

void TForm1::edit_txtClick(TObject*)
{
    Form2->Open();
}

void TForm1::print_nowClick(TObject*)
{
    Form6->SetLeft(0);
    Form6->SetTop(0);
    Form6->Open();
}
