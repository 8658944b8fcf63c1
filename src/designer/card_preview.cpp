// The card preview follows the current guest; the font application.
#include "app/Unit1.h"

void TForm1::DataSource1DataChange(TObject*, TField*) {}
void TForm1::font_display(TObject*) {}
