#pragma once
// Qt WebEngine pieces behind TWebBrowser (platform-private).
#include <QWebEnginePage>

class QWebEngineProfile;

#include <QList>

// One profile for the run, kept in memory only: nothing is written to the user's folders.
QWebEngineProfile* browser_profile();

// A page that opens the windows it asks for as browser windows of our own.
class BrowserPage : public QWebEnginePage {
public:
    explicit BrowserPage(QObject* parent);
    ~BrowserPage() override;

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
};

// The windows that pages opened, oldest first.
QList<QWidget*> popup_windows();

// Closes the popup windows, then the pages left, then the profile.
void shut_down_browser();
