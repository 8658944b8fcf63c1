// The guest list statement, the search and the money total.
#include "app/Unit1.h"

void TForm1::list_allClick(TObject*) {}
void TForm1::update_the_money_show() {}
void TForm1::money_field_get_text(TField*, QString&, bool) {}
void TForm1::search_boxChange(TObject*) {}
void TForm1::list_show_allClick(TObject*) {}
