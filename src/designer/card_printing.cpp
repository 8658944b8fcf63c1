// Printing envelope cards, one or a batch.
#include "app/Unit1.h"

void TForm1::print_coverClick(TObject*) {}
void TForm1::Printpreview1Click(TObject*) {}
void TForm1::print_start(TObject*) {}
void TForm1::RvProject1AfterClose(TObject*) {}
