#include "net/browser_engine_p.h"

#include <QApplication>
#include <QSet>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
QList<QWidget*> popups;
QSet<BrowserPage*> pages;
QWebEngineProfile* profile = nullptr;
} // namespace

QWebEngineProfile* browser_profile()
{
    if (!profile)
        profile = new QWebEngineProfile;
    return profile;
}

BrowserPage::BrowserPage(QObject* parent) : QWebEnginePage(browser_profile(), parent)
{
    pages.insert(this);
}

BrowserPage::~BrowserPage()
{
    pages.remove(this);
}

QWebEnginePage* BrowserPage::createWindow(WebWindowType)
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

QList<QWidget*> popup_windows()
{
    return popups;
}

void shut_down_browser()
{
    while (!popups.isEmpty())
        delete popups.takeLast();
    // Pages whose windows are still alive; the engine refuses to drop a profile that has pages.
    while (!pages.isEmpty())
        delete *pages.begin();
    delete profile;
    profile = nullptr;
}
