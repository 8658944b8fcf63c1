#pragma once
// The pieces of a report project: reports, pages, regions, bands and the items drawn on them.
// Lengths are in inches, positions in the coordinates of the item's parent (page or band).
#include "report/number_format.h"
#include "toolkit/graphics.h"

#include <QString>
#include <memory>
#include <vector>

class TRaveProjectManager;

class TRaveComponent {
public:
    // Created with an owner, the component belongs to the owner's project and lives until the
    // project closes; its parent starts as the owner.
    explicit TRaveComponent(TRaveComponent* owner);
    virtual ~TRaveComponent() = default;
    TRaveComponent(const TRaveComponent&) = delete;
    TRaveComponent& operator=(const TRaveComponent&) = delete;

    QString Name;

    TRaveComponent* Owner() const { return owner_; }
    TRaveComponent* Parent() const { return parent_; }
    // Moves the component to the end of the new parent's children: it draws above them.
    void SetParent(TRaveComponent* parent);
    const std::vector<TRaveComponent*>& Children() const { return children_; }
    TRaveProjectManager* Project() const { return project_; }

    // True when `container` is this component's parent or owner, or theirs, and so on up.
    bool IsInside(const TRaveComponent* container) const;

private:
    friend class TRaveProjectManager;
    TRaveComponent() = default; // the project itself

    TRaveProjectManager* project_ = nullptr;
    TRaveComponent* owner_ = nullptr;
    TRaveComponent* parent_ = nullptr;
    std::vector<TRaveComponent*> children_;
};

class TRaveReport : public TRaveComponent {
public:
    using TRaveComponent::TRaveComponent;
};

class TRavePage : public TRaveComponent {
public:
    using TRaveComponent::TRaveComponent;
    double PageWidth = 8.5;
    double PageHeight = 11.0;
};

// A rectangle of the page in which bands print one below the other; a page continues on a
// new sheet when the next band does not fit.
class TRaveRegion : public TRaveComponent {
public:
    using TRaveComponent::TRaveComponent;
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// A strip of the region that prints once; its items are placed relative to its top-left corner.
class TRaveBand : public TRaveComponent {
public:
    using TRaveComponent::TRaveComponent;
    double Height = 0;
    // Prints again at the region's top on every further sheet (column titles), and never stays
    // alone at the foot of a sheet.
    bool Repeat = false;
};

// A band that prints once for every row of its data connection.
class TRaveDataBand : public TRaveBand {
public:
    using TRaveBand::TRaveBand;
    QString Connection;
};

class TRaveItem : public TRaveComponent {
public:
    using TRaveComponent::TRaveComponent;
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

enum TPrintJustify { pjLeft, pjCenter, pjRight };

class TRaveText : public TRaveItem {
public:
    explicit TRaveText(TRaveComponent* owner);
    TPrintJustify FontJustify = pjLeft;
    QString Text;
    TFont Font;
    bool Elide = false; // a text wider than the item ends in an ellipsis
    bool Fit = false;   // a text wider than the item prints in a smaller size that fits
};

// A text filled in as it prints: "%p" becomes the sheet's number, "%d" the date of printing.
class TRavePageText : public TRaveText {
public:
    using TRaveText::TRaveText;
};

// A text item that prints one field of its connection's current row.
class TRaveDataText : public TRaveText {
public:
    using TRaveText::TRaveText;
    QString Connection;
    QString DataField;
    bool Numeric = false; // prints the field's value in NumberFormat
    TRvNumberFormat NumberFormat;
};

// From (Left, Top) to (Left + Width, Top + Height).
class TRaveLine : public TRaveItem {
public:
    using TRaveItem::TRaveItem;
    double LineWidth = 1.0; // points
    TColor Color = clBlack;
};

class TRaveRectangle : public TRaveItem {
public:
    using TRaveItem::TRaveItem;
    double LineWidth = 1.0; // points; 0 draws no frame
    TColor Color = clBlack;
    bool Filled = false;
    TColor FillColor = clWhite;
};

// A picture file (PNG, JPEG or SVG) scaled into the item's rectangle.
class TRavePicture : public TRaveItem {
public:
    using TRaveItem::TRaveItem;
    QString FileName; // full path; the project file gives it relative to itself
};

// The loaded project: reports and global pages are its children; it holds every component
// created in it, including those added at run time, and frees them all when it goes.
class TRaveProjectManager : public TRaveComponent {
public:
    TRaveProjectManager();
    ~TRaveProjectManager() override;

    QString ActiveReport; // as recorded in the file; may name no report

    // Case-insensitive. "Owner.Name" looks inside the report or global page named Owner, then
    // among the project's own components (no result when no report or page is named Owner); a
    // plain name looks inside `owner` (when given), then among the project's own components.
    TRaveComponent* FindRaveComponent(const QString& name, TRaveComponent* owner) const;
    // The base followed by the smallest number from 1 up that no component inside `within` bears.
    QString GetUniqueName(const QString& base, TRaveComponent* within) const;

    std::vector<TRaveReport*> Reports() const;
    TRaveReport* FindReport(const QString& name) const;

    void Adopt(TRaveComponent* c);

private:
    TRaveComponent* findInside(const TRaveComponent* container, const QString& name) const;
    TRaveComponent* findOwn(const QString& name) const;

    std::vector<std::unique_ptr<TRaveComponent>> all_;
};
