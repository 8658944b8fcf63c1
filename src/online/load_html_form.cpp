#include "online/load_html_form.h"

#include "net/web_browser.h"
#include "online/Unit8.h"
#include "toolkit/application.h"

#include <QElapsedTimer>

namespace {
// A browser engine that never brings up its blank page must not hang the program.
constexpr int kBlankPageWaitMs = 15000;
} // namespace

QByteArray crlf_lines(const QByteArray& text)
{
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        out += text.mid(start, i - start) + "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        out += text.mid(start) + "\r\n";
    return out;
}

void load_html_form(TWebBrowser* browser, const QByteArray& page)
{
    browser->Navigate("about:blank");
    browser->Show();
    QElapsedTimer waited;
    waited.start();
    while (browser->ReadyState() < READYSTATE_INTERACTIVE && waited.elapsed() < kBlankPageWaitMs)
        Application->HandleMessages(10);
    // Without its blank document the control takes no page; the address is stored all the same.
    if (browser->ReadyState() >= READYSTATE_INTERACTIVE)
        browser->LoadFromStream(crlf_lines(page));
    Form8->Close();
}
