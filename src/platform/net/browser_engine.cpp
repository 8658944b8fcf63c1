#include "net/browser_engine_p.h"

#include <QApplication>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
QList<QWidget*> popups;
}

QWebEngineProfile* browser_profile()
{
    static QWebEngineProfile* profile = new QWebEngineProfile(QCoreApplication::instance());
    return profile;
}

BrowserPage::BrowserPage(QObject* parent) : QWebEnginePage(browser_profile(), parent) {}

QWebEnginePage* BrowserPage::createWindow(WebWindowType)
{
    auto* window = new QWebEngineView;
    window->setObjectName("krv_popup_browser");
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto* page = new BrowserPage(window);
    window->setPage(page);
    QObject::connect(page, &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
    popups.append(window);
    // Pages go before the profile that the application object takes with it.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, [window] { delete window; });
    QObject::connect(window, &QObject::destroyed, [window] { popups.removeOne(window); });
    window->resize(1024, 768);
    window->show();
    return page;
}

QList<QWidget*> popup_windows()
{
    return popups;
}
