#pragma once
// The desktop's "open": an address goes to the user's web browser, a program file is started.
// Both return at once and report nothing.
#include <QString>

// How the opened window should show.
enum TShowCommand { SW_SHOWMAXIMIZED = 3, SW_MINIMIZE = 6 };

class ShellService {
public:
    virtual ~ShellService();
    virtual void Execute(const QString& verb, const QString& file, TShowCommand show) = 0;
};

// The service in force: the desktop's own unless another was installed.
ShellService& Shell();
// Puts service (not owned) in place of the desktop's; nullptr brings the desktop's back.
void SetShell(ShellService* service);

// Shell().Execute: the verb "open" on an address or a program path.
void ShellExecute(const QString& verb, const QString& file, TShowCommand show);
