// Opening the program's own dialog.
#include "app/Unit1.h"
#include "app/about.h"

void TForm1::About1Click(TObject*)
{
    Form9->Open();
}
