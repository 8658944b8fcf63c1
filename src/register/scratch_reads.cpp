#include "register/scratch_reads.h"

#include "data/ado.h"

int first_integer(TADOQuery* q, const QString& sql, const QVariantList& params, const QString& field)
{
    q->SetSQL(sql, params);
    q->Open();
    const int value = q->IsEmpty() ? 0 : q->FieldByName(field)->AsInteger();
    q->Close();
    return value;
}
