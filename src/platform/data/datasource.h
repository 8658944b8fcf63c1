#pragma once
// Links a data set to its viewers and raises the data-change notification.
#include <QString>
#include <functional>
#include <map>

class TDataSet;
class TField;

enum class TDataEvent {
    Opened,      // the data set opened: new fields, new rows
    Closed,      // the data set closed
    Scrolled,    // the current row moved
    RowsChanged, // rows or the row state changed: insert, edit, post, cancel, delete, sort
    FieldChanged // a field of the row being inserted or edited was set (the field is given)
};

class TDataSource {
public:
    explicit TDataSource(QString name = {});
    ~TDataSource();
    TDataSource(const TDataSource&) = delete;
    TDataSource& operator=(const TDataSource&) = delete;

    QString Name;
    void SetDataSet(TDataSet* ds);
    TDataSet* DataSet() const { return data_set_; }

    // Runs on every event but Closed; the field is given for FieldChanged, else nullptr.
    std::function<void(TField* Field)> OnDataChange;

    // For viewers such as a grid: every event, Closed included. Listeners run before OnDataChange.
    int AddListener(std::function<void(TDataEvent, TField*)> fn);
    void RemoveListener(int id);

    // Called by the data set.
    void Notify(TDataEvent e, TField* field);
    void DataSetGone() { data_set_ = nullptr; }

private:
    TDataSet* data_set_ = nullptr;
    std::map<int, std::function<void(TDataEvent, TField*)>> listeners_;
    int next_id_ = 1;
};
