// Links to the web service's pages, and the gallery launcher.
#include "app/Unit1.h"
#include "online/web_address.h"
#include "system/shell.h"

QString web_address(const QString& path)
{
    return "http://" + Unit1::web_host + path;
}

void TForm1::Onlinemanual1Click(TObject*)
{
    ShellExecute("open", web_address("/wedding/help/"), SW_SHOWMAXIMIZED);
}

void TForm1::GotoWebsite1Click(TObject*)
{
    ShellExecute("open", web_address("/?i=sw"), SW_SHOWMAXIMIZED);
}

void TForm1::Image4Click(TObject*)
{
    ShellExecute("open", Unit1::app_path + "TOLU.exe", SW_MINIMIZE);
}
