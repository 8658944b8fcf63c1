// Removing the selected group.
#include "app/Unit1.h"

void TForm1::group_deleteClick(TObject*) {}
