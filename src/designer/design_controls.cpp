// The card design controls.
#include "app/Unit1.h"

void TForm1::Button3Click(TObject*) {}
void TForm1::Button4Click(TObject*) {}
void TForm1::get_color_now() {}
void TForm1::rgb_color_now() {}
void TForm1::start_drop_shadow_chkClick(TObject*) {}
void TForm1::drop_shadow_chkClick(TObject*) {}
void TForm1::TrackBar1Change(TObject*) {}
void TForm1::TrackBar2Change(TObject*) {}
void TForm1::font_selectClick(TObject*) {}
void TForm1::font_select2Click(TObject*) {}
void TForm1::Label4Click(TObject*) {}
void TForm1::Label5Click(TObject*) {}
void TForm1::size_selectCloseUp(TObject*) {}
