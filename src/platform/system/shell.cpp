#include "system/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {

// The desktop's default browser takes addresses; anything else is started as a program. The
// desktop decides how its windows show.
class DesktopShell final : public ShellService {
public:
    void Execute(const QString&, const QString& file, TShowCommand) override
    {
        const QUrl address(file, QUrl::StrictMode);
        if (address.isValid() && address.scheme().size() > 1)
            QDesktopServices::openUrl(address);
        else
            QProcess::startDetached(file, {});
    }
};

DesktopShell desktop_shell;
ShellService* installed = nullptr;

} // namespace

ShellService::~ShellService() = default;

ShellService& Shell()
{
    return installed ? *installed : desktop_shell;
}

void SetShell(ShellService* service)
{
    installed = service;
}

void ShellExecute(const QString& verb, const QString& file, TShowCommand show)
{
    Shell().Execute(verb, file, show);
}
