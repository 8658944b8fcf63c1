#pragma once
// A read-only grid over a data source: columns bound to fields by name, movable and
// resizable by their titles, whole-row selection that follows the data set's current row.
#include "toolkit/controls.h"

#include <functional>
#include <vector>

class TDataSource;
class TField;
class TDBGrid;
class GridView;
class GridModel;

class TColumn {
public:
    TColumn(TDBGrid* grid) : grid_(grid) {}
    TDBGrid* Grid() const { return grid_; }
    // Display position, 0 at the left.
    int Index() const;
    QString FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    // The field of the open result with the column's name, or nullptr.
    TField* Field() const;
    int Width() const;
    void SetWidth(int w);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& f);

    struct TitleData {
        QString Caption;
        TFont Font;
        TAlignment Alignment = taLeftJustify;
    };
    const TitleData& Title() const { return title_; }
    void SetTitleCaption(const QString& c);
    void SetTitleFont(const TFont& f);
    void SetTitleAlignment(TAlignment a);

private:
    friend class TDBGrid;
    TDBGrid* grid_;
    QString fieldName_;
    TAlignment alignment_ = taLeftJustify;
    TFont font_;
    TitleData title_;
    int logical_ = 0;
};

class TDBGrid : public TWinControl {
public:
    explicit TDBGrid(TWinControl* parent);
    ~TDBGrid() override;

    // nullptr detaches the grid, which then shows no rows.
    void SetDataSource(TDataSource* ds);
    TDataSource* DataSource() const { return dataSource_; }

    TColumn* AddColumn();
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // The column at a display position.
    TColumn* Columns(int displayPosition) const;

    void SetCellColors(TColor background, TColor text);
    void SetTitleColor(TColor background);
    // Off: the Tab key passes the grid by; a click or a focus request still focuses it.
    void SetTabStop(bool on);
    void Repaint();

    // Grid row under a point in grid coordinates: 0 is the title row, data rows from 1; -1 outside.
    int RowAt(int x, int y) const;

    std::function<void(TColumn* Column)> OnTitleClick;
    // For every data cell painted; the grid draws the cell itself.
    std::function<void(TObject* Sender)> OnDrawColumnCell;
    std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(TObject* Sender, int X, int Y)> OnMouseMove;
    // Runs before the grid's own wheel handling, which follows unless Handled is set.
    std::function<void(TObject* Sender, int WheelDelta, bool& Handled)> OnMouseWheel;

    // Platform internals.
    void ColumnLayoutChanged();
    void TitleClicked(int logicalColumn);

private:
    friend class GridView;
    friend class GridModel;
    friend class TColumn;
    GridView* view_;
    GridModel* model_;
    TDataSource* dataSource_ = nullptr;
    int listener_ = 0;
    std::vector<TColumn*> columns_;
};

// How many lines one notch of the mouse wheel scrolls, as the desktop is set.
int SystemWheelScrollLines();
