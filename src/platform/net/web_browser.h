#pragma once
// The embedded web browser. Its engine starts with the first navigation, load or script, so a
// window that only holds a browser costs nothing at start-up.
#include "toolkit/controls.h"

#include <QByteArray>
#include <QList>
#include <QVariant>
#include <functional>

enum TReadyState {
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_LOADED = 2,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4
};

// Sender and the address of the document that completed.
using TDocumentCompleteEvent = std::function<void(TObject* Sender, const QString& URL)>;

class TWebBrowser : public TWinControl {
public:
    explicit TWebBrowser(TWinControl* parent);

    // Starts loading url and returns at once; "about:blank" gives an empty document.
    // Raises Exception for an address that the browser cannot take.
    void Navigate(const QString& url);
    // Replaces the current document by the page in html (its charset from its own meta
    // element); scripts run and forms submit as in a page loaded from the network.
    void LoadFromStream(const QByteArray& html);
    // LOADING from a navigation or load until its document completes, then COMPLETE.
    TReadyState ReadyState() const { return state_; }
    // The address of the current document; empty before the first.
    QString LocationURL() const;

    // Sets one property of the document body's inline style, by its script name ("borderStyle",
    // "marginTop", "overflowX"); nothing when the document has no body. Style settings and
    // scripts run in the order they were asked for, on the document current when they run.
    void SetBodyStyle(const QString& property, const QString& value);
    // Runs script in the current document; done, when given, gets its value on the GUI thread.
    void ExecScript(const QString& script, std::function<void(const QVariant&)> done = {});

    // After each completed document (also one that failed to load).
    TDocumentCompleteEvent OnDocumentComplete;

    // The windows of our own that pages opened (a form or link with target "_blank"), oldest
    // first; each lives until the user closes it.
    static QList<QWidget*> PopupWindows();
    // Ends the engine's part in the run: the popup windows, then the pages left, then the
    // profile. Called once the program's windows are gone and before the application object
    // ends, so that the engine winds down while the application still exists.
    static void Shutdown();
    // Where the engine's library is, when not beside the executable (tests and benchmarks).
    static void SetEngineFolder(const QString& folder);

private:
    QWidget* View();
    QWidget* view_ = nullptr;
    TReadyState state_ = READYSTATE_UNINITIALIZED;
};
