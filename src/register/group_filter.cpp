// The group filter and the group look-up.
#include "app/Unit1.h"

void TForm1::group_list(TObject*) {}
void TForm1::name_groupCloseUp(TObject*) {}
void TForm1::get_data() {}
void TForm1::get_group_id(TObject*) {}
