#include "report/components.h"

#include "system/sysutils.h"

#include <algorithm>

static bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

TRaveComponent::TRaveComponent(TRaveComponent* owner)
{
    if (!owner)
        throw Exception("A report component needs an owner.");
    project_ = owner->project_;
    owner_ = owner;
    project_->Adopt(this);
    SetParent(owner);
}

void TRaveComponent::SetParent(TRaveComponent* parent)
{
    if (parent_)
        std::erase(parent_->children_, this);
    parent_ = parent;
    if (parent_)
        parent_->children_.push_back(this);
}

bool TRaveComponent::IsInside(const TRaveComponent* container) const
{
    for (const TRaveComponent* up : {parent_, owner_}) {
        if (up && (up == container || up->IsInside(container)))
            return true;
    }
    return false;
}

TRaveText::TRaveText(TRaveComponent* owner) : TRaveItem(owner)
{
    Font.Name = "Arial";
    Font.Size = 10;
    Font.Color = clBlack;
}

TRaveProjectManager::TRaveProjectManager()
{
    project_ = this;
}

TRaveProjectManager::~TRaveProjectManager() = default;

void TRaveProjectManager::Adopt(TRaveComponent* c)
{
    all_.emplace_back(c);
}

TRaveComponent* TRaveProjectManager::findInside(const TRaveComponent* container, const QString& name) const
{
    for (const auto& c : all_) {
        if (sameName(c->Name, name) && c->IsInside(container))
            return c.get();
    }
    return nullptr;
}

TRaveComponent* TRaveProjectManager::findOwn(const QString& name) const
{
    for (TRaveComponent* c : Children()) {
        if (sameName(c->Name, name))
            return c;
    }
    return nullptr;
}

TRaveComponent* TRaveProjectManager::FindRaveComponent(const QString& name, TRaveComponent* owner) const
{
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0) {
        TRaveComponent* container = findOwn(name.left(dot));
        if (!container)
            return nullptr;
        const QString rest = name.mid(dot + 1);
        TRaveComponent* found = findInside(container, rest);
        return found ? found : findOwn(rest);
    }
    if (owner) {
        if (TRaveComponent* found = findInside(owner, name))
            return found;
    }
    return findOwn(name);
}

QString TRaveProjectManager::GetUniqueName(const QString& base, TRaveComponent* within) const
{
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        const bool taken = std::any_of(all_.begin(), all_.end(), [&](const auto& c) {
            return sameName(c->Name, candidate) && (!within || c->IsInside(within));
        });
        if (!taken)
            return candidate;
    }
}

std::vector<TRaveReport*> TRaveProjectManager::Reports() const
{
    std::vector<TRaveReport*> reports;
    for (TRaveComponent* c : Children()) {
        if (auto* r = dynamic_cast<TRaveReport*>(c))
            reports.push_back(r);
    }
    return reports;
}

TRaveReport* TRaveProjectManager::FindReport(const QString& name) const
{
    for (TRaveReport* r : Reports()) {
        if (sameName(r->Name, name))
            return r;
    }
    return nullptr;
}
