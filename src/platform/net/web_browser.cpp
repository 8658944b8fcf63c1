#include "net/web_browser.h"

#include "net/browser_engine_p.h"
#include "system/sysutils.h"
#include "toolkit/application.h"

#include <QResizeEvent>
#include <QUrl>
#include <QWebEngineView>

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

QWebEngineView* TWebBrowser::View()
{
    if (view_)
        return view_;
    view_ = new QWebEngineView(widget_);
    view_->setPage(new BrowserPage(view_));
    view_->setGeometry(widget_->rect());
    view_->show();
    QObject::connect(view_, &QWebEngineView::loadStarted, view_, [this] { state_ = READYSTATE_LOADING; });
    QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool) {
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
    View()->load(address);
    state_ = READYSTATE_LOADING;
}

void TWebBrowser::LoadFromStream(const QByteArray& html)
{
    View()->setContent(html, "text/html");
    state_ = READYSTATE_LOADING;
}

QString TWebBrowser::LocationURL() const
{
    return view_ ? view_->url().toString() : QString();
}

void TWebBrowser::SetBodyStyle(const QString& property, const QString& value)
{
    ExecScript("if (document.body) document.body.style[" + js_string(property) + "] = " + js_string(value) +
               ";");
}

void TWebBrowser::ExecScript(const QString& script, std::function<void(const QVariant&)> done)
{
    if (!done) {
        View()->page()->runJavaScript(script);
        return;
    }
    View()->page()->runJavaScript(script, [done](const QVariant& v) { Dispatch([&] { done(v); }); });
}

QList<QWidget*> TWebBrowser::PopupWindows()
{
    return popup_windows();
}

void TWebBrowser::Shutdown()
{
    shut_down_browser();
}
