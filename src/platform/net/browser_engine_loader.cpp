#include "net/browser_engine.h"
#include "net/web_browser.h"
#include "system/sysutils.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {
BrowserEngine* engine = nullptr;
QString engine_folder;
} // namespace

BrowserEngine& load_browser_engine(const QString& file)
{
    // Never unloaded: the engine's threads and exit routines live in it until the process ends.
    // Its libraries' symbols are global, as if linked into the program: loaded privately, the
    // engine's GL drawing deadlocked in the unwinder under the address checker.
    QLibrary library(file);
    library.setLoadHints(QLibrary::PreventUnloadHint | QLibrary::ExportExternalSymbolsHint);
    auto entry = reinterpret_cast<BrowserEngineEntry>(library.resolve(KRV_BROWSER_ENGINE_ENTRY));
    if (!entry)
        throw Exception("The browser cannot start: " + library.errorString());
    return *entry();
}

BrowserEngine& browser_engine()
{
    if (!engine) {
        const QString folder =
            engine_folder.isEmpty() ? QCoreApplication::applicationDirPath() : engine_folder;
        engine = &load_browser_engine(folder + "/libkrv_browser_engine.so");
    }
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
