#include "data/datasource.h"

#include "data/dataset.h"

#include <vector>

TDataSource::TDataSource(QString name) : Name(std::move(name)) {}

TDataSource::~TDataSource()
{
    if (data_set_)
        data_set_->RemoveDataSource(this);
}

void TDataSource::SetDataSet(TDataSet* ds)
{
    if (ds == data_set_)
        return;
    if (data_set_)
        data_set_->RemoveDataSource(this);
    data_set_ = ds;
    if (ds)
        ds->AddDataSource(this);
}

int TDataSource::AddListener(std::function<void(TDataEvent, TField*)> fn)
{
    listeners_[next_id_] = std::move(fn);
    return next_id_++;
}

void TDataSource::RemoveListener(int id)
{
    listeners_.erase(id);
}

void TDataSource::Notify(TDataEvent e, TField* field)
{
    // A listener may add or remove listeners while it runs.
    std::vector<std::function<void(TDataEvent, TField*)>> now;
    for (const auto& [id, fn] : listeners_)
        now.push_back(fn);
    for (const auto& fn : now)
        fn(e, field);
    if (e != TDataEvent::Closed && OnDataChange)
        OnDataChange(field);
}
