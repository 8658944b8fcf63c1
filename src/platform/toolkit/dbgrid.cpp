#include "toolkit/dbgrid.h"

#include "data/ado.h"
#include "toolkit/application.h"
#include "toolkit/shown_text.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCache>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextLayout>
#include <QWheelEvent>
#include <QtMath>

int SystemWheelScrollLines()
{
    return QApplication::wheelScrollLines();
}

static Qt::Alignment toQt(TAlignment a)
{
    return (a == taCenter         ? Qt::AlignHCenter
            : a == taRightJustify ? Qt::AlignRight
                                  : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

class GridModel : public QAbstractTableModel {
public:
    // The view owns it: the two go together with the window.
    GridModel(TDBGrid* grid, QObject* view) : QAbstractTableModel(view), grid_(grid) {}

    TDataSet* dataSet() const
    {
        TDataSet* ds = grid_->dataSource_ ? grid_->dataSource_->DataSet() : nullptr;
        return ds && ds->Active() ? ds : nullptr;
    }
    int rowCount(const QModelIndex& = {}) const override
    {
        TDataSet* ds = dataSet();
        return ds ? ds->RecordCount() : 0;
    }
    int columnCount(const QModelIndex& = {}) const override
    {
        return static_cast<int>(grid_->columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        TColumn* c = grid_->columns_[index.column()];
        switch (role) {
        case Qt::DisplayRole: {
            TDataSet* ds = dataSet();
            TField* f = ds ? c->Field() : nullptr;
            // A value that its display routine cannot convert shows empty.
            QString text;
            if (f)
                DispatchInPaint([&] { text = ds->DisplayTextAt(index.row(), f); });
            return ShownText(text);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(toQt(c->Alignment()));
        case Qt::FontRole:
            return c->Font().ToQFont();
        case Qt::ForegroundRole:
            return ToQColor(c->Font().Color);
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || section >= static_cast<int>(grid_->columns_.size()))
            return {};
        const TColumn::TitleData& t = grid_->columns_[section]->Title();
        switch (role) {
        case Qt::DisplayRole:
            return t.Caption;
        case Qt::FontRole:
            return t.Font.ToQFont();
        case Qt::ForegroundRole:
            return ToQColor(t.Font.Color);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(toQt(t.Alignment));
        default:
            return {};
        }
    }

    template <typename F> void insertColumn(int at, F add)
    {
        beginInsertColumns({}, at, at);
        add();
        endInsertColumns();
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }
    void refreshRows() { emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1)); }
    void refreshTitles() { emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); }

private:
    TDBGrid* grid_;
};

// What a plain cell text's layout depends on: its text, font, alignment and room.
struct LayoutKey {
    QString text;
    QFont font;
    int alignment;
    int width;
    bool operator==(const LayoutKey&) const = default;
};

size_t qHash(const LayoutKey& k, size_t seed)
{
    return qHashMulti(seed, k.text, k.font, k.alignment, k.width);
}

// Reports every painted data cell before drawing it. A plain one-line text that fits is drawn as
// the style draws an item, but laid out once: the style shapes each text three times (for its
// size, its elision and its drawing), which was most of a repaint. The layouts are kept, since a
// list's columns repeat texts and each rebuild of the list paints its cells again. Anything else
// goes to the style.
class CellPainter : public QStyledItemDelegate {
public:
    CellPainter(TDBGrid* grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override
    {
        if (grid_->OnDrawColumnCell)
            DispatchInPaint([this] { grid_->OnDrawColumnCell(grid_); });
        QStyleOptionViewItem opt = o;
        initStyleOption(&opt, i);
        if (!paintPlain(p, opt))
            QStyledItemDelegate::paint(p, o, i);
    }
    // A font's glyphs may change with the screen or the style without its description changing.
    void forgetLayouts() { layouts_.clear(); }

private:
    static bool isPlain(const QStyleOptionViewItem& o)
    {
        // Word wrapping changes nothing for a text that fits on one line.
        if ((o.features & ~QStyleOptionViewItem::WrapText) != QStyleOptionViewItem::HasDisplay ||
            (o.state & QStyle::State_HasFocus) || o.backgroundBrush.style() != Qt::NoBrush ||
            o.direction != Qt::LeftToRight)
            return false;
        for (const QChar c : o.text)
            if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator)
                return false;
        return true;
    }

    // The text laid out on one line of the given width, kept with its shaping for drawing.
    const QTextLayout& laidOut(const QStyleOptionViewItem& o, int width) const
    {
        const Qt::Alignment alignment = QStyle::visualAlignment(o.direction, o.displayAlignment);
        LayoutKey key{o.text, o.font, int(alignment), width};
        if (const QTextLayout* kept = layouts_.object(key))
            return *kept;
        auto* layout = new QTextLayout(o.text, o.font);
        QTextOption to;
        to.setWrapMode(QTextOption::ManualWrap);
        to.setTextDirection(o.direction);
        to.setAlignment(alignment);
        layout->setTextOption(to);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        layout->createLine().setLineWidth(width);
        layout->endLayout();
        layouts_.insert(std::move(key), layout);
        return *layout;
    }

    bool paintPlain(QPainter* p, const QStyleOptionViewItem& o) const
    {
        if (!isPlain(o))
            return false;
        const QWidget* w = o.widget;
        const QStyle* style = w ? w->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
        const QRect r = o.rect.adjusted(margin, 0, -margin, 0);
        const QTextLayout& layout = laidOut(o, r.width());
        const QTextLine line = layout.lineAt(0);
        if (line.naturalTextWidth() > r.width())
            return false; // elided by the style
        p->save();
        p->setClipRect(o.rect);
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &o, p, w);
        QPalette::ColorGroup group = o.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(o.state & QStyle::State_Active))
            group = QPalette::Inactive;
        p->setPen(o.palette.color(group, o.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                          : QPalette::Text));
        const QRectF at = QStyle::alignedRect(o.direction, o.displayAlignment & Qt::AlignVertical_Mask,
                                              QSize(r.width(), qCeil(line.height())), r);
        layout.draw(p, at.topLeft());
        p->restore();
        return true;
    }

    TDBGrid* grid_;
    // The cells of about ten screens.
    mutable QCache<LayoutKey, QTextLayout> layouts_{1000};
};

// The title row. A drag that moves a column and is released on the title row ends with a title
// click on the cell under the mouse, which the grid's owner may swallow; a resize ends without one.
class GridHeader : public QHeaderView {
public:
    explicit GridHeader(TDBGrid* grid) : QHeaderView(Qt::Horizontal), grid_(grid)
    {
        connect(this, &QHeaderView::sectionMoved, this, [this] { moved_ = true; });
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        moved_ = false;
        QHeaderView::mouseReleaseEvent(e);
        const QPoint at = e->position().toPoint();
        if (moved_ && rect().contains(at))
            grid_->TitleClicked(logicalIndexAt(at));
        moved_ = false;
    }

private:
    TDBGrid* grid_;
    bool moved_ = false;
};

class GridView : public QTableView {
public:
    explicit GridView(TDBGrid* grid) : grid_(grid) {}
    void setGrid(TDBGrid* g) { grid_ = g; }

protected:
    void wheelEvent(QWheelEvent* e) override
    {
        bool handled = false;
        const int delta = e->angleDelta().y();
        if (grid_->OnMouseWheel)
            Dispatch([&] { grid_->OnMouseWheel(grid_, delta, handled); });
        if (!handled)
            QTableView::wheelEvent(e);
    }
    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::ScreenChangeInternal:
        case QEvent::ApplicationFontChange:
            if (auto* painter = dynamic_cast<CellPainter*>(itemDelegate()))
                painter->forgetLayouts();
            break;
        default:
            break;
        }
        return QTableView::event(e);
    }
    bool viewportEvent(QEvent* e) override
    {
        if (e->type() == QEvent::MouseMove)
            reportMove(viewport(), static_cast<QMouseEvent*>(e)->position().toPoint());
        return QTableView::viewportEvent(e);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        // The title row's mouse events arrive at its viewport.
        if (o == horizontalHeader()->viewport() && e->type() == QEvent::MouseMove)
            reportMove(horizontalHeader()->viewport(), static_cast<QMouseEvent*>(e)->position().toPoint());
        return QTableView::eventFilter(o, e);
    }

private:
    void reportMove(QWidget* from, QPoint p)
    {
        const QPoint g = from->mapTo(this, p);
        if (grid_->OnMouseMove)
            Dispatch([&] { grid_->OnMouseMove(grid_, g.x(), g.y()); });
    }
    TDBGrid* grid_;
};

static void updateRow(QTableView* view, int row)
{
    if (row >= 0)
        view->viewport()->update(
            QRect(0, view->rowViewportPosition(row), view->viewport()->width(), view->rowHeight(row)));
}

TDBGrid::TDBGrid(TWinControl* parent) : TWinControl(parent, new GridView(nullptr))
{
    view_ = static_cast<GridView*>(widget_);
    view_->setGrid(this);
    view_->setHorizontalHeader(new GridHeader(this));
    model_ = new GridModel(this, view_);
    view_->setModel(model_);
    view_->setItemDelegate(new CellPainter(this, view_));
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A cell shows one line: a text too wide is cut by characters, not at its last word break.
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(20);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setMouseTracking(true);
    view_->viewport()->setMouseTracking(true);
    QHeaderView* h = view_->horizontalHeader();
    h->setSectionsMovable(true);
    h->setSectionsClickable(true);
    h->setHighlightSections(false);
    h->setMouseTracking(true);
    h->viewport()->setMouseTracking(true);
    h->viewport()->installEventFilter(view_);
    h->setStretchLastSection(false);
    QObject::connect(h, &QHeaderView::sectionClicked, view_, [this](int logical) { TitleClicked(logical); });
    QObject::connect(h, &QHeaderView::sectionMoved, view_, [this](int, int from, int to) {
        if (OnColumnMoved)
            Dispatch([this, from, to] { OnColumnMoved(this, from, to); });
    });
    QObject::connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, view_,
                     [this](const QModelIndex& now, const QModelIndex&) {
                         TDataSet* ds = model_->dataSet();
                         if (ds && now.isValid() && ds->RecNo() != now.row() + 1)
                             Dispatch([ds, row = now.row()] { ds->SetRecNo(row + 1); });
                     });
}

TDBGrid::~TDBGrid()
{
    if (dataSource_ && listener_)
        dataSource_->RemoveListener(listener_);
    for (TColumn* c : columns_)
        delete c;
}

void TDBGrid::SetDataSource(TDataSource* ds)
{
    if (dataSource_ && listener_)
        dataSource_->RemoveListener(listener_);
    dataSource_ = ds;
    listener_ = 0;
    if (ds)
        listener_ = ds->AddListener([this](TDataEvent e, TField*) {
            switch (e) {
            case TDataEvent::Opened:
            case TDataEvent::Closed:
            case TDataEvent::RowsChanged:
                model_->reset();
                break;
            case TDataEvent::FieldChanged:
                model_->refreshRows();
                break;
            case TDataEvent::Scrolled:
                break;
            }
            TDataSet* d = model_->dataSet();
            if (d && d->RecNo() > 0) {
                const int left = view_->selectionModel()->currentIndex().row();
                const QModelIndex i = model_->index(d->RecNo() - 1, 0);
                const QSignalBlocker block(view_->selectionModel());
                view_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
                view_->scrollTo(i);
                // A moved current row changes only the row it left and the row it reached (a
                // batch print moves it once a card); anything else may change every row.
                if (e == TDataEvent::Scrolled) {
                    updateRow(view_, left);
                    updateRow(view_, i.row());
                } else {
                    view_->viewport()->update();
                }
            }
        });
    model_->reset();
}

TColumn* TDBGrid::AddColumn()
{
    auto* c = new TColumn(this);
    c->logical_ = static_cast<int>(columns_.size());
    c->font_ = Font();
    c->title_.Font = Font();
    model_->insertColumn(c->logical_, [&] { columns_.push_back(c); });
    return c;
}

TColumn* TDBGrid::Columns(int displayPosition) const
{
    const int logical = view_->horizontalHeader()->logicalIndex(displayPosition);
    return logical >= 0 && logical < ColumnCount() ? columns_[logical] : nullptr;
}

void TDBGrid::SetCellColors(TColor background, TColor text)
{
    QPalette p = view_->palette();
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, ToQColor(background));
        p.setColor(g, QPalette::Text, ToQColor(text));
    }
    view_->setPalette(p);
}

void TDBGrid::SetTitleColor(TColor background)
{
    const QColor c = ToQColor(background);
    view_->horizontalHeader()->setStyleSheet(
        QString("QHeaderView::section { background-color: %1; border: 1px solid gray; padding: 2px; }")
            .arg(c.name()));
}

void TDBGrid::TitleClicked(int logical)
{
    if (OnTitleClick && logical >= 0 && logical < ColumnCount())
        Dispatch([this, logical] { OnTitleClick(columns_[logical]); });
}

void TDBGrid::SetTabStop(bool on)
{
    view_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void TDBGrid::Repaint()
{
    view_->viewport()->repaint();
}

int TDBGrid::RowAt(int x, int y) const
{
    QHeaderView* h = view_->horizontalHeader();
    if (x < 0 || y < 0 || x >= view_->width() || y >= view_->height())
        return -1;
    if (y < h->height())
        return 0;
    const int r = view_->rowAt(y - h->height());
    return r < 0 ? -1 : r + 1;
}

void TDBGrid::ColumnLayoutChanged()
{
    model_->refreshTitles();
    model_->refreshRows();
}

int TColumn::Index() const
{
    return grid_->view_->horizontalHeader()->visualIndex(logical_);
}

void TColumn::SetFieldName(const QString& name)
{
    fieldName_ = name;
    grid_->ColumnLayoutChanged();
}

TField* TColumn::Field() const
{
    TDataSet* ds = grid_->model_->dataSet();
    if (!ds || fieldName_.isEmpty())
        return nullptr;
    for (int i = 0; i < ds->FieldCount(); ++i)
        if (ds->Fields(i)->FieldName().compare(fieldName_, Qt::CaseInsensitive) == 0)
            return ds->Fields(i);
    return nullptr;
}

int TColumn::Width() const
{
    return grid_->view_->horizontalHeader()->sectionSize(logical_);
}
void TColumn::SetWidth(int w)
{
    grid_->view_->horizontalHeader()->resizeSection(logical_, w);
}

void TColumn::SetAlignment(TAlignment a)
{
    alignment_ = a;
    grid_->ColumnLayoutChanged();
}

void TColumn::SetFont(const TFont& f)
{
    font_ = f;
    grid_->ColumnLayoutChanged();
}

void TColumn::SetTitleCaption(const QString& c)
{
    title_.Caption = c;
    grid_->ColumnLayoutChanged();
}

void TColumn::SetTitleFont(const TFont& f)
{
    title_.Font = f;
    grid_->ColumnLayoutChanged();
}

void TColumn::SetTitleAlignment(TAlignment a)
{
    title_.Alignment = a;
    grid_->ColumnLayoutChanged();
}
