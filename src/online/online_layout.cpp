// The main window's online components: the advertising check's client, the banner, the heart
// and its click area, and the bindings of the web links and the gallery launcher.
#include "app/Unit1.h"
#include "app/layout_helpers.h"
#include "net/web_browser.h"
#include "online/online_components.h"

void TForm1::create_online_components()
{
    online_ = std::make_unique<OnlineComponents>();
    IdHTTP1 = keep(online_->IdHTTP1, new TIdHTTP);
    IdHTTP1->Accept = "text/html, */*";
    IdHTTP1->UserAgent = "Mozilla/3.0 (compatible)";

    ads = new TWebBrowser(ads_panel);
    ads->Name = "ads";
    ads->SetBounds(0, 0, 513, 70);
    ads->OnDocumentComplete = Handler(this, &TForm1::adsDocumentComplete);

    // The heart sits beside the Gallery button; the click area covers it in both blink phases.
    ads_gold_heart = tool_image(main_menu, "ads_gold_heart", "heart", 421, 16, 48, 43, "Vivudoz Services");
    ads_gold_heart->SetVisible(false);
    ads_img = new TImage(main_menu);
    ads_img->Name = "ads_img";
    ads_img->SetBounds(416, 8, 57, 57);
    ads_img->SetHint("Vivudoz Services");
    ads_img->SetCursor(crHandPoint);
    ads_img->SetVisible(false);

    Image4->SetHint("TOLU Photo Gallery");
    Panel2->SetCursor(crHandPoint);
    for (TPanel* area : {go_to_kavri, goto_kavri})
        area->SetHint("Go to Website");

    Timer1->OnTimer = Handler(this, &TForm1::Timer1Timer);
    AdsTimer->OnTimer = Handler(this, &TForm1::AdsTimerTimer);
    for (TImage* heart : {ads_gold_heart, ads_img})
        heart->OnClick = Handler(this, &TForm1::ads_imgClick);
    Onlinemanual1->OnClick = Handler(this, &TForm1::Onlinemanual1Click);
    Image4->OnClick = Handler(this, &TForm1::Image4Click);
    www_url->OnClick = Handler(this, &TForm1::GotoWebsite1Click);
    for (TPanel* area : {Panel2, go_to_kavri, goto_kavri})
        area->OnClick = Handler(this, &TForm1::GotoWebsite1Click);
}
