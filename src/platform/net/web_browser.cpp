#include "net/web_browser.h"

#include "net/browser_engine.h"
#include "system/sysutils.h"
#include "toolkit/application.h"

#include <QResizeEvent>
#include <QUrl>
#include <QWidget>

namespace {

// Holds the engine's view, once there is one, over its whole area.
class BrowserHost : public QWidget {
protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->setGeometry(rect());
    }
};

QString js_string(const QString& s)
{
    QString out = "'";
    for (QChar c : s) {
        if (c == '\\' || c == '\'')
            out += '\\';
        if (c.unicode() < 32 || c == QChar(0x2028) || c == QChar(0x2029))
            out += QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
        else
            out += c;
    }
    return out + "'";
}

} // namespace

TWebBrowser::TWebBrowser(TWinControl* parent) : TWinControl(parent, new BrowserHost) {}

QWidget* TWebBrowser::View()
{
    if (!view_)
        view_ = browser_engine().CreateView(
            widget_, [this] { state_ = READYSTATE_LOADING; },
            [this] {
                state_ = READYSTATE_COMPLETE;
                if (OnDocumentComplete)
                    Dispatch([this] { OnDocumentComplete(this, LocationURL()); });
            });
    return view_;
}

void TWebBrowser::Navigate(const QString& url)
{
    const QUrl address(url, QUrl::StrictMode);
    if (!address.isValid() || address.scheme().isEmpty())
        throw Exception("The browser cannot open the address " + url);
    browser_engine().Load(View(), address);
    state_ = READYSTATE_LOADING;
}

void TWebBrowser::LoadFromStream(const QByteArray& html)
{
    browser_engine().SetContent(View(), html);
    state_ = READYSTATE_LOADING;
}

QString TWebBrowser::LocationURL() const
{
    return view_ ? browser_engine().Url(view_).toString() : QString();
}

void TWebBrowser::SetBodyStyle(const QString& property, const QString& value)
{
    ExecScript("if (document.body) document.body.style[" + js_string(property) + "] = " + js_string(value) +
               ";");
}

void TWebBrowser::ExecScript(const QString& script, std::function<void(const QVariant&)> done)
{
    if (!done) {
        browser_engine().RunScript(View(), script, {});
        return;
    }
    browser_engine().RunScript(View(), script, [done](const QVariant& v) { Dispatch([&] { done(v); }); });
}

QList<QWidget*> TWebBrowser::PopupWindows()
{
    BrowserEngine* engine = loaded_browser_engine();
    return engine ? engine->Popups() : QList<QWidget*>();
}

void TWebBrowser::Shutdown()
{
    if (BrowserEngine* engine = loaded_browser_engine())
        engine->Shutdown();
}
