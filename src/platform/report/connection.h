#pragma once
// Data connections that report projects read by name. A connection lives outside any project
// (it belongs to a window) and is found by its name while it exists.
#include <QString>
#include <QVariant>

class TRvCustomConnection {
public:
    explicit TRvCustomConnection(QString name = {});
    virtual ~TRvCustomConnection();
    TRvCustomConnection(const TRvCustomConnection&) = delete;
    TRvCustomConnection& operator=(const TRvCustomConnection&) = delete;

    QString Name;

    // Case-insensitive; nullptr when no connection bears the name.
    static TRvCustomConnection* Find(const QString& name);

    // The data set behind it. Rows are read by index, so the current row never moves and the
    // data set's viewers are not refreshed while a report reads it.
    virtual bool Active() const = 0;
    virtual void Open() = 0; // at the first row
    virtual void Close() = 0;
    virtual int RecNo() const = 0; // 1-based, 0 when empty
    virtual void SetRecNo(int recNo) = 0;
    virtual int RowCount() const = 0;
    virtual QString FieldText(int row0, const QString& field) const = 0;
    // The stored value; an invalid one for NULL.
    virtual QVariant FieldValue(int row0, const QString& field) const { return FieldText(row0, field); }
};

// A report's hold on a connection: notes whether the data set is open and its current row,
// opens a closed one; on release closes it again if it had been closed, or returns it to the
// noted row.
class TRvConnectionUse {
public:
    explicit TRvConnectionUse(TRvCustomConnection* c);
    ~TRvConnectionUse();
    TRvConnectionUse(const TRvConnectionUse&) = delete;
    TRvConnectionUse& operator=(const TRvConnectionUse&) = delete;

    TRvCustomConnection* Connection() const { return c_; }

private:
    TRvCustomConnection* c_;
    bool was_open_;
    int rec_no_ = 0;
};
