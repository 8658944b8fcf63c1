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

// The cards in flight reach the printer; when one fails, the run ends at its guest, as it would
// have had that card been printed before the next one was made.
void finish_batch(TRvPrintBatch& batch, std::vector<int>& rows, TDataSet& guests)
{
    rows.resize(size_t(batch.Jobs()), guests.RecNo());
    try {
        batch.Finish();
    } catch (...) {
        guests.SetRecNo(rows[size_t(batch.FailedJob())]);
        throw;
    }
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
// prints (the engine processes messages meanwhile) takes effect before the next card. The cards'
// files are written in the background while the next ones are made; the run returns once every
// card it made has gone to the printer.
void TForm1::print_start(TObject* Sender)
{
    if (is_button(Sender, &TForm6::stop_print))
        return;
    TRvPrintBatch batch(*RvSystem1);
    std::vector<int> rows; // the guest of each job handed to the printer
    try {
        for (;;) {
            RvSystem1->DefaultDest = rdPrinter;
            if (ADOQuery1->Eof())
                break;
            if (stop_page_now->Text() == "yes")
                break;
            print_coverClick(Sender);
            rows.resize(size_t(batch.Jobs()), ADOQuery1->RecNo());
            ADOQuery1->Next();
        }
    } catch (...) {
        // A card before this one that failed is the run's failure.
        finish_batch(batch, rows, *ADOQuery1);
        throw;
    }
    finish_batch(batch, rows, *ADOQuery1);
}

void TForm1::RvProject1AfterClose(TObject*)
{
    report_was_run = "yes";
}
