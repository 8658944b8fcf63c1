// The advertising check: once a minute, while no banner is shown, the web service is asked
// whether to advertise; its one agreed reply shows the banner and the blinking heart.
#include "app/Unit1.h"
#include "net/http_client.h"
#include "net/web_browser.h"
#include "online/web_address.h"
#include "system/shell.h"
#include "system/sysutils.h"

using namespace Unit1;

void TForm1::Timer1Timer(TObject*)
{
    // The post runs off the GUI thread: one still under way is not joined by another.
    if (ads_panel->Visible() || IdHTTP1->Busy())
        return;
    check_ads_config();
}

void TForm1::check_ads_config()
{
    ads_answer = "";
    TIdMultiPartFormDataStream form;
    form.AddFormField("cmd", "check_ads_config");
    form.AddFormField("dummy", "");
    web_url = web_address("/wedding/ads.php");
    IdHTTP1->ReadTimeout = 30000;
    IdHTTP1->Post(web_url, form, [this](const TPostResult& r) {
        // A failed post is silent: no answer, no banner.
        if (r.Ok)
            ads_answer = r.Text;
        show_ads_if_asked();
    });
}

void TForm1::show_ads_if_asked()
{
    if (ads_answer != "advertisment_show") {
        ads_gold_heart->SetVisible(false);
        ads_img->SetVisible(false);
        AdsTimer->SetEnabled(false);
        return;
    }
    ads_gold_heart->SetVisible(true);
    ads_img->SetVisible(true);
    AdsTimer->SetEnabled(true);
    ads->Navigate("about:blank");
    try {
        ads->Navigate(web_address("/wedding/banner.php"));
    } catch (const Exception&) {
        // The banner stays hidden; the next tick asks again.
        return;
    }
    ads->SetVisible(true);
    ads_panel->SetVisible(true);
}

void TForm1::AdsTimerTimer(TObject*)
{
    ads_gold_heart->SetVisible(!ads_gold_heart->Visible());
}

void TForm1::adsDocumentComplete(TObject*, const QString&)
{
    ads->SetBodyStyle("borderStyle", "none");
    ads->SetBodyStyle("marginTop", "0");
    ads->SetBodyStyle("marginRight", "0");
    ads->SetBodyStyle("marginBottom", "0");
    ads->SetBodyStyle("marginLeft", "0");
    ads->SetBodyStyle("overflowX", "hidden");
    ads->SetBodyStyle("overflowY", "auto");
    ads->SetBounds(0, 0, 513, 70);
    ads->SetVisible(true);
}

void TForm1::ads_imgClick(TObject*)
{
    ShellExecute("open", web_address("/wedding/service.php"), SW_SHOWMAXIMIZED);
}
