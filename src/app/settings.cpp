// Reading and writing the settings file.
#include "app/Unit1.h"

void TForm1::load_ini() {}
void TForm1::rec_ini(TObject*) {}
