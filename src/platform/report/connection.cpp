#include "report/connection.h"

#include <algorithm>
#include <vector>

static std::vector<TRvCustomConnection*>& registry()
{
    static std::vector<TRvCustomConnection*> all;
    return all;
}

TRvCustomConnection::TRvCustomConnection(QString name) : Name(std::move(name))
{
    registry().push_back(this);
}

TRvCustomConnection::~TRvCustomConnection()
{
    std::erase(registry(), this);
}

TRvCustomConnection* TRvCustomConnection::Find(const QString& name)
{
    for (TRvCustomConnection* c : registry()) {
        if (c->Name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

TRvConnectionUse::TRvConnectionUse(TRvCustomConnection* c) : c_(c), was_open_(c->Active())
{
    if (was_open_)
        rec_no_ = c_->RecNo();
    else
        c_->Open();
}

TRvConnectionUse::~TRvConnectionUse()
{
    try {
        if (!was_open_)
            c_->Close();
        else if (c_->Active() && c_->RecNo() != rec_no_)
            c_->SetRecNo(rec_no_);
    } catch (...) {
        // Releasing must not mask the failure that may be unwinding the run.
    }
}
