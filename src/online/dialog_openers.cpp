// Opening the e-mail dialog.
#include "app/Unit1.h"
#include "online/Unit8.h"

void TForm1::email_imgClick(TObject*)
{
    if (guest_is_current())
        Form8->Open();
}
