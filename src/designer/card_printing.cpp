// Printing envelope cards, one or a batch.
#include "app/Unit1.h"
#include "data/ado.h"
#include "designer/print_now_control.h"
#include "report/rave.h"
#include "system/sysutils.h"

#include <vector>

using namespace Unit1;

namespace {

// One text of the card, in inches from the page's top-left corner.
struct CardText {
    const char* base;
    TPrintJustify justify;
    double top, left, width;
    QString text;
    TFont font;
};

// The card's texts in drawing order: each shadow before its text, so it lies beneath it.
std::vector<CardText> card_texts(const TForm1& f, double page_width)
{
    std::vector<CardText> texts;
    const double md = main_shadow_distance, td = text_shadow_distance;
    const double name_top = name_text_top, other_top = name_text_top + 0.6;
    if (f.start_drop_shadow_chk->Checked()) {
        TFont shadow = f.head_txt->Font();
        shadow.Color = f.head_txt2->Font().Color;
        texts.push_back(
            {"Text98", pjLeft, main_text_top + md, 1.25 + md, 1.0, f.head_txt2->Caption(), shadow});
    }
    texts.push_back({"Text99", pjLeft, main_text_top, 1.25, 1.0, f.head_txt->Caption(), f.head_txt->Font()});
    const bool text_shadow = f.drop_shadow_chk->Checked();
    const QString name = f.Label1->Caption(), other = f.other_txt->Caption();
    if (text_shadow)
        texts.push_back({"Text100", pjCenter, name_top + td, td, page_width, name, f.Label2->Font()});
    texts.push_back({"Text110", pjCenter, name_top, 0, page_width, name, f.Label1->Font()});
    if (text_shadow)
        texts.push_back(
            {"Text111", pjCenter, other_top + td, td, page_width, other, f.other_txt_shadow->Font()});
    texts.push_back({"Text112", pjCenter, other_top, 0, page_width, other, f.other_txt->Font()});
    return texts;
}

void add_text(TRvProject& project, TRaveComponent* band, TRavePage* page, const CardText& t)
{
    auto* item = new TRaveText(band);
    item->SetParent(page);
    item->Name = project.GetUniqueName(t.base, page);
    item->FontJustify = t.justify;
    item->Top = t.top;
    item->Left = t.left;
    item->Width = t.width;
    item->Height = 1.0;
    item->Text = t.text;
    item->Font = t.font;
}

bool is_button(TObject* sender, TButton* TForm6::*button)
{
    return Form6 && sender == Form6->*button;
}

} // namespace

void TForm1::print_coverClick(TObject* Sender)
{
    if (!guest_is_current())
        return;
    if (is_button(Sender, &TForm6::stop_print))
        return;
    // A job started while another holds the project (a click taken while a batch card prints)
    // would add its texts to that card's page: no card job starts then.
    if (RvProject1->Active())
        return;
    report_was_run = "yes";
    RvSystem1->DefaultDest = is_button(Sender, &TForm6::print_start) ? rdPrinter : rdPreview;
    RvProject1->ProjectFile = app_path + "op.rav";
    RvProject1->Open();
    // Every later job expects to find no project open, whatever fails here.
    try {
        auto* page = dynamic_cast<TRavePage*>(RvProject1->FindRaveComponent("Report1.Page1", nullptr));
        if (page) {
            page->PageWidth = card_width;
            page->PageHeight = card_height;
            TRaveComponent* region = RvProject1->FindRaveComponent("Region1", page);
            TRaveComponent* band = RvProject1->FindRaveComponent("Band1", region);
            for (const CardText& t : card_texts(*this, page->PageWidth))
                add_text(*RvProject1, band, page, t);
        } else if (RvProject1->ProjectManager()->FindReport("Report1")) {
            throw Exception("The card project \"" + RvProject1->ProjectFile +
                            "\" has no page \"Report1.Page1\".");
        }
        // Without a report "Report1" this runs nothing.
        RvProject1->ExecuteReport("Report1");
    } catch (...) {
        RvProject1->Close();
        throw;
    }
    RvProject1->Close();
}

void TForm1::Printpreview1Click(TObject* Sender)
{
    RvSystem1->DefaultDest = rdPreview;
    print_coverClick(Sender);
}

// One pass per guest, from the current one to the end of the list; a Pause pressed while a card
// prints (the engine processes messages meanwhile) takes effect before the next card.
void TForm1::print_start(TObject* Sender)
{
    if (is_button(Sender, &TForm6::stop_print))
        return;
    for (;;) {
        RvSystem1->DefaultDest = rdPrinter;
        if (ADOQuery1->Eof())
            return;
        if (stop_page_now->Text() == "yes")
            return;
        print_coverClick(Sender);
        ADOQuery1->Next();
    }
}

void TForm1::RvProject1AfterClose(TObject*)
{
    report_was_run = "yes";
}
