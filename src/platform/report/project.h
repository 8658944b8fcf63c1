#pragma once
// Holds one report project at a time: opens it from its file, finds its components, runs its
// reports through the engine and closes it again with everything added at run time.
#include "report/components.h"
#include "report/system.h"

#include <functional>
#include <memory>

class TRvProject {
public:
    TRvProject();
    ~TRvProject();
    TRvProject(const TRvProject&) = delete;
    TRvProject& operator=(const TRvProject&) = delete;

    TRvSystem* Engine = nullptr;
    QString ProjectFile; // read at the next open; a name without a dot gets ".rav"
    std::function<void()> OnAfterClose;

    // Loads the whole project; does nothing while one is open. Raises "The following reporting
    // project does not exist:\r"<full path>"" or "Invalid Project Format", leaving none open.
    void Open();
    // Unloads the project with every item added at run time, then fires OnAfterClose; does
    // nothing when none is open. Asked during a run, it takes place when the run ends.
    void Close();
    bool Active() const { return project_ != nullptr; }

    TRaveProjectManager* ProjectManager() const { return project_.get(); }
    // nullptr while no project is open; TRaveProjectManager::FindRaveComponent gives the rule.
    TRaveComponent* FindRaveComponent(const QString& name, TRaveComponent* owner) const;
    QString GetUniqueName(const QString& base, TRaveComponent* within) const;

    // Opens the project if needed and runs the named report to Engine->DefaultDest; a name the
    // project lacks runs nothing. A run asked for while one is in progress is ignored. A failure
    // closes the project before it propagates.
    void ExecuteReport(const QString& name);
    // The same for the report the file records as active, else the project's first report.
    void Execute();

private:
    void run(TRaveReport* report);

    std::unique_ptr<TRaveProjectManager> project_;
    bool running_ = false;
    bool close_pending_ = false;
};
