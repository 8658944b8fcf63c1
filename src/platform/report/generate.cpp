#include "report/generate.h"

#include "report/connection.h"

#include <QDate>
#include <QLocale>
#include <map>
#include <memory>
#include <optional>

namespace {

constexpr double kFit = 1e-9;

using Sheets = std::vector<std::vector<TRvDrawing>>;

class Generator {
public:
    explicit Generator(const std::function<void(int)>& onSheet) : on_sheet_(onSheet) {}

    void page(const TRavePage& page, TRvDocument& doc)
    {
        // Each region flows its bands over as many sheets as it needs; the page's other items
        // print on every one of them, in their drawing order.
        std::map<const TRaveComponent*, Sheets> flows;
        sheet_base_ = int(doc.Sheets.size());
        size_t count = 1;
        for (const TRaveComponent* c : page.Children()) {
            if (auto* region = dynamic_cast<const TRaveRegion*>(c)) {
                flows[region] = flow(*region);
                count = std::max(count, flows[region].size());
            }
        }
        for (size_t i = 0; i < count; ++i) {
            on_sheet_(int(doc.Sheets.size()) + 1);
            TRvSheet sheet{page.PageWidth, page.PageHeight, {}};
            for (const TRaveComponent* c : page.Children()) {
                if (auto it = flows.find(c); it != flows.end()) {
                    if (i < it->second.size())
                        append(sheet.Drawings, it->second[i]);
                } else {
                    draw(c, 0, 0, -1, int(doc.Sheets.size()) + 1, sheet.Drawings);
                }
            }
            doc.Sheets.push_back(std::move(sheet));
        }
    }

private:
    Sheets flow(const TRaveRegion& region)
    {
        Sheets sheets(1);
        double y = region.Top;
        const TRaveBand* titles = nullptr; // the repeating band that heads each further sheet
        bool titles_owed = false;          // a further sheet whose first row is still to come
        // Where the repeating band's drawings begin while nothing has printed below it yet.
        std::optional<size_t> titles_alone;
        double titles_top = 0;
        // Gives where the band's drawings begin on the sheet.
        auto put = [&](const TRaveBand& band, int row) {
            const size_t start = sheets.back().size();
            const int sheet = sheet_base_ + int(sheets.size());
            for (const TRaveComponent* c : band.Children())
                draw(c, region.Left, y, row, sheet, sheets.back());
            y += band.Height;
            return start;
        };
        // Titles head a further sheet only above rows: a closing band alone on it goes untitled.
        auto place = [&](const TRaveBand& band, int row) {
            const bool headed = titles_owed && row >= 0;
            const double height = band.Height + (headed ? titles->Height : 0);
            if (y > region.Top && y + height > region.Top + region.Height + kFit) {
                // Titles at the foot of a sheet go over with the band that follows them.
                if (titles_alone && titles_top > region.Top)
                    sheets.back().erase(sheets.back().begin() + std::ptrdiff_t(*titles_alone),
                                        sheets.back().end());
                sheets.emplace_back();
                y = region.Top;
                titles_owed = titles != nullptr;
            }
            if (titles_owed && row >= 0) {
                put(*titles, -1);
                titles_owed = false;
            }
            titles_alone.reset();
            const double top = y;
            return std::pair(put(band, row), top);
        };
        for (const TRaveComponent* c : region.Children()) {
            auto* band = dynamic_cast<const TRaveBand*>(c);
            if (!band)
                continue;
            auto* data = dynamic_cast<const TRaveDataBand*>(band);
            if (!data) {
                if (band->Repeat)
                    titles = nullptr;
                const auto [start, top] = place(*band, -1);
                if (band->Repeat) {
                    titles = band;
                    titles_alone = start;
                    titles_top = top;
                }
                continue;
            }
            current_ = connection(data->Connection);
            const int rows = current_ ? current_->RowCount() : 0;
            for (int row = 0; row < rows; ++row)
                place(*band, row);
            current_ = nullptr;
        }
        return sheets;
    }

    // `row` is the data band's row, -1 outside a data band; `sheet` the sheet's number.
    void draw(const TRaveComponent* c, double dx, double dy, int row, int sheet, std::vector<TRvDrawing>& out)
    {
        if (auto* t = dynamic_cast<const TRaveText*>(c)) {
            QString text = t->Text;
            if (auto* d = dynamic_cast<const TRaveDataText*>(t)) {
                text = field(*d, row);
            } else if (dynamic_cast<const TRavePageText*>(t)) {
                text.replace("%p", QString::number(sheet)).replace("%d", date_);
            }
            out.push_back(TRvDrawnText{text, t->Left + dx, t->Top + dy, t->Width, t->FontJustify, t->Font,
                                       t->Elide, t->Fit});
        } else if (auto* l = dynamic_cast<const TRaveLine*>(c)) {
            out.push_back(TRvDrawnLine{l->Left + dx, l->Top + dy, l->Left + l->Width + dx,
                                       l->Top + l->Height + dy, l->LineWidth, l->Color});
        } else if (auto* r = dynamic_cast<const TRaveRectangle*>(c)) {
            out.push_back(TRvDrawnRectangle{QRectF(r->Left + dx, r->Top + dy, r->Width, r->Height),
                                            r->LineWidth, r->Color, r->Filled, r->FillColor});
        } else if (auto* p = dynamic_cast<const TRavePicture*>(c)) {
            out.push_back(
                TRvDrawnPicture{QRectF(p->Left + dx, p->Top + dy, p->Width, p->Height), p->FileName});
        }
    }

    QString field(const TRaveDataText& d, int row)
    {
        TRvCustomConnection* conn = connection(d.Connection);
        if (!conn)
            return {};
        // Inside a data band of its own connection the item reads that row, elsewhere the first.
        const int r = conn == current_ && row >= 0 ? row : 0;
        const bool exists = r < conn->RowCount();
        const QString text = exists ? conn->FieldText(r, d.DataField) : QString();
        if (!d.Numeric)
            return text;
        return FormatNumber(exists ? conn->FieldValue(r, d.DataField) : QVariant(), text, d.NumberFormat);
    }

    // The connection's hold lasts until the report is laid out.
    TRvCustomConnection* connection(const QString& name)
    {
        if (name.isEmpty())
            return nullptr;
        TRvCustomConnection* c = TRvCustomConnection::Find(name);
        if (!c)
            return nullptr;
        for (const auto& use : uses_) {
            if (use->Connection() == c)
                return c;
        }
        uses_.push_back(std::make_unique<TRvConnectionUse>(c));
        return c;
    }

    static void append(std::vector<TRvDrawing>& to, const std::vector<TRvDrawing>& from)
    {
        to.insert(to.end(), from.begin(), from.end());
    }

    const std::function<void(int)>& on_sheet_;
    std::vector<std::unique_ptr<TRvConnectionUse>> uses_;
    TRvCustomConnection* current_ = nullptr;
    int sheet_base_ = 0; // sheets of the report before the page being laid out
    const QString date_ = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
};

} // namespace

TRvDocument GenerateReport(const TRaveReport& report, const std::function<void(int)>& onSheet)
{
    TRvDocument doc;
    Generator g(onSheet);
    for (const TRaveComponent* c : report.Children()) {
        if (auto* page = dynamic_cast<const TRavePage*>(c))
            g.page(*page, doc);
    }
    return doc;
}
