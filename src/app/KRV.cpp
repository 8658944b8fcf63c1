#include "app/KRV.h"

#include "app/CheckPrevious.h"
#include "app/Unit1.h"
#include "app/about.h"
#include "designer/Unit2.h"
#include "designer/print_now_control.h"
#include "net/web_browser.h"
#include "online/Unit8.h"
#include "register/Unit3.h"
#include "register/Unit4.h"
#include "register/Unit5.h"
#include "register/data_update_dialog.h"
#include "register/money_update.h"
#include "toolkit/dbgrid.h"
#include "toolkit/extctrls.h"

#include <QCoreApplication>
#include <cstdio>
#include <vector>

namespace {

std::vector<TForm*> windows;

template <typename T> void create_form(T*& global)
{
    global = new T;
    windows.push_back(global);
    global->DoCreate();
}

// For the start-up benchmark only: one line on standard output once the guest list has been painted.
void report_list_shown()
{
    if (!qEnvironmentVariableIsSet("KRV_REPORT_LIST_SHOWN"))
        return;
    auto paint_cell = Form1->DBGrid1->OnDrawColumnCell;
    Form1->DBGrid1->OnDrawColumnCell = [paint_cell, reported = false](TObject* sender) mutable {
        paint_cell(sender);
        if (reported)
            return;
        reported = true;
        // Queued, so the line comes after the whole paint.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [] {
                std::puts("list shown");
                std::fflush(stdout);
            },
            Qt::QueuedConnection);
    };
}

// For the desktop tests only: the web service at a loopback host, asked four times a second, as the
// program runs in a process of its own there.
void use_test_web_service()
{
    const QString host = qEnvironmentVariable("KRV_TEST_WEB_SERVICE");
    if (host.isEmpty())
        return;
    Unit1::web_host = host;
    Form1->Timer1->SetInterval(250);
}

} // namespace

void initialize_units()
{
    CheckPrevious::initialize();
    Unit2::initialize();
    Unit5::initialize();
    data_update_dialog::initialize();
    Unit8::initialize();
    Unit1::initialize();
}

void create_windows()
{
    create_form(Form1);
    create_form(Form2);
    create_form(Form3);
    create_form(Form4);
    create_form(Form5);
    create_form(Form6);
    create_form(data_update);
    create_form(Form7);
    create_form(Form8);
    create_form(Form9);
}

void destroy_windows()
{
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        delete *it;
    windows.clear();
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    data_update = nullptr;
    Form7 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
}

int KRV_main(int argc, char** argv)
{
    initialize_units();
    TApplication app(argc, argv);

    create_windows();
    report_list_shown();
    use_test_web_service();
    app.Run();
    destroy_windows();
    TWebBrowser::Shutdown();
    ReleaseInstanceSlot();
    return 0;
}
