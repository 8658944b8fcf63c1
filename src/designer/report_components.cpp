// The report engine components of the main window.
#include "app/Unit1.h"

void TForm1::create_report_components() {}
