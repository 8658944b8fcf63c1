// The engine's library: the only code that touches the web engine's own classes.
#include "net/browser_engine.h"

#include <QSet>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

QList<QWidget*> popups;
class BrowserPage;
QSet<BrowserPage*> pages;
// One profile for the run, kept in memory only: nothing is written to the user's folders.
QWebEngineProfile* profile = nullptr;

QWebEngineProfile* browser_profile()
{
    if (!profile)
        profile = new QWebEngineProfile;
    return profile;
}

// A page that opens the windows it asks for as browser windows of our own.
class BrowserPage : public QWebEnginePage {
public:
    explicit BrowserPage(QObject* parent) : QWebEnginePage(browser_profile(), parent) { pages.insert(this); }
    ~BrowserPage() override { pages.remove(this); }

protected:
    QWebEnginePage* createWindow(WebWindowType) override
    {
        auto* window = new QWebEngineView;
        window->setObjectName("krv_popup_browser");
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* page = new BrowserPage(window);
        window->setPage(page);
        QObject::connect(page, &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
        popups.append(window);
        QObject::connect(window, &QObject::destroyed, [window] { popups.removeOne(window); });
        window->resize(1024, 768);
        window->show();
        return page;
    }
};

QWebEngineView* web_view(QWidget* view)
{
    return static_cast<QWebEngineView*>(view);
}

class Engine final : public BrowserEngine {
public:
    QWidget* CreateView(QWidget* parent, std::function<void()> started,
                        std::function<void()> finished) override
    {
        auto* view = new QWebEngineView(parent);
        view->setPage(new BrowserPage(view));
        view->setGeometry(parent->rect());
        view->show();
        QObject::connect(view, &QWebEngineView::loadStarted, view, started);
        QObject::connect(view, &QWebEngineView::loadFinished, view, [finished](bool) { finished(); });
        return view;
    }
    void Load(QWidget* view, const QUrl& url) override { web_view(view)->load(url); }
    void SetContent(QWidget* view, const QByteArray& html) override
    {
        web_view(view)->setContent(html, "text/html");
    }
    QUrl Url(QWidget* view) const override { return web_view(view)->url(); }
    void RunScript(QWidget* view, const QString& script, std::function<void(const QVariant&)> done) override
    {
        if (done)
            web_view(view)->page()->runJavaScript(script, done);
        else
            web_view(view)->page()->runJavaScript(script);
    }
    QList<QWidget*> Popups() const override { return popups; }
    void Shutdown() override
    {
        while (!popups.isEmpty())
            delete popups.takeLast();
        // Pages whose windows are still alive; the engine refuses to drop a profile that has pages.
        while (!pages.isEmpty())
            delete *pages.begin();
        delete profile;
        profile = nullptr;
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) BrowserEngine* krv_browser_engine()
{
    static Engine engine;
    return &engine;
}
