#include "net/browser_engine.h"
#include "net/web_browser.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {
BrowserEngine* engine = nullptr;
QString engine_folder;
} // namespace

BrowserEngine& browser_engine()
{
    if (engine)
        return *engine;
    const QString folder = engine_folder.isEmpty() ? QCoreApplication::applicationDirPath() : engine_folder;
    // Never unloaded: the engine's threads and exit routines live in it until the process ends.
    QLibrary library(folder + "/libkrv_browser_engine.so");
    library.setLoadHints(QLibrary::PreventUnloadHint);
    auto entry = reinterpret_cast<BrowserEngineEntry>(library.resolve(KRV_BROWSER_ENGINE_ENTRY));
    if (!entry)
        throw Exception("The browser cannot start: " + library.errorString());
    engine = entry();
    return *engine;
}

BrowserEngine* loaded_browser_engine()
{
    return engine;
}

void TWebBrowser::SetEngineFolder(const QString& folder)
{
    engine_folder = folder;
}
