// Links to the web service's pages.
#include "app/Unit1.h"

void TForm1::GotoWebsite1Click(TObject*) {}
