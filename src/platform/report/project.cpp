#include "report/project.h"

#include "report/project_file.h"

#include <QFileInfo>

TRvProject::TRvProject() = default;
TRvProject::~TRvProject() = default;

void TRvProject::Open()
{
    if (project_)
        return;
    QString path = ProjectFile;
    if (!QFileInfo(path).fileName().contains('.'))
        path += ".rav";
    project_ = LoadRaveProject(path);
}

void TRvProject::Close()
{
    if (running_) {
        close_pending_ = true;
        return;
    }
    close_pending_ = false;
    if (!project_)
        return;
    project_.reset();
    if (OnAfterClose)
        OnAfterClose();
}

TRaveComponent* TRvProject::FindRaveComponent(const QString& name, TRaveComponent* owner) const
{
    return project_ ? project_->FindRaveComponent(name, owner) : nullptr;
}

QString TRvProject::GetUniqueName(const QString& base, TRaveComponent* within) const
{
    return project_ ? project_->GetUniqueName(base, within) : base + "1";
}

void TRvProject::ExecuteReport(const QString& name)
{
    if (running_)
        return;
    Open();
    run(project_->FindReport(name));
}

void TRvProject::Execute()
{
    if (running_)
        return;
    Open();
    TRaveReport* report = project_->FindReport(project_->ActiveReport);
    if (!report && !project_->Reports().empty())
        report = project_->Reports().front();
    run(report);
}

void TRvProject::run(TRaveReport* report)
{
    if (!report)
        return;
    static TRvSystem fallback;
    running_ = true;
    try {
        (Engine ? *Engine : fallback).Run(*report);
    } catch (...) {
        running_ = false;
        Close();
        throw;
    }
    running_ = false;
    if (close_pending_)
        Close();
}
