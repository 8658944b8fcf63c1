#pragma once
// The browser engine behind TWebBrowser (platform-private). It lives in a library of its own that
// is loaded on first use: the engine's libraries are large, and linking them at start would
// cost every start although nothing is browsed until much later, if ever.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

class BrowserEngine {
public:
    // A view over the whole of parent; started and finished follow its loads.
    virtual QWidget* CreateView(QWidget* parent, std::function<void()> started,
                                std::function<void()> finished) = 0;
    virtual void Load(QWidget* view, const QUrl& url) = 0;
    virtual void SetContent(QWidget* view, const QByteArray& html) = 0;
    virtual QUrl Url(QWidget* view) const = 0;
    virtual void RunScript(QWidget* view, const QString& script,
                           std::function<void(const QVariant&)> done) = 0;
    // The windows that pages opened, oldest first.
    virtual QList<QWidget*> Popups() const = 0;
    // Closes the popup windows, then the pages left, then the profile.
    virtual void Shutdown() = 0;

protected:
    ~BrowserEngine() = default;
};

// The engine, loaded on the first call; raises Exception when its library cannot be loaded.
BrowserEngine& browser_engine();
// The engine in the library file; raises Exception when the file cannot be loaded.
BrowserEngine& load_browser_engine(const QString& file);
// The engine when it has been loaded, else null.
BrowserEngine* loaded_browser_engine();

// The entry point that the engine's library exports.
extern "C" using BrowserEngineEntry = BrowserEngine * (*)();
#define KRV_BROWSER_ENGINE_ENTRY "krv_browser_engine"
