// Removing the current guest.
#include "app/Unit1.h"

void TForm1::delClick(TObject*) {}
