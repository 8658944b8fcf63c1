#include "report/project_file.h"

#include "system/sysutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const kFormat = "krv-report-project";

struct InvalidFormat {};

class Reader {
public:
    explicit Reader(QString folder) : folder_(std::move(folder)) {}

    void project(const QJsonObject& o, TRaveProjectManager& pm)
    {
        if (o.value("format").toString() != kFormat)
            throw InvalidFormat{};
        pm.ActiveReport = text(o, "activeReport");
        for (const QJsonObject& r : objects(o, "reports")) {
            auto* report = new TRaveReport(&pm);
            report->Name = text(r, "name");
            for (const QJsonObject& p : objects(r, "pages"))
                page(p, report);
        }
        for (const QJsonObject& p : objects(o, "pages"))
            page(p, &pm);
    }

private:
    void page(const QJsonObject& o, TRaveComponent* owner)
    {
        auto* p = new TRavePage(owner);
        p->Name = text(o, "name");
        p->PageWidth = number(o, "width", p->PageWidth);
        p->PageHeight = number(o, "height", p->PageHeight);
        for (const QJsonObject& item : objects(o, "items")) {
            if (type(item) == "region")
                region(item, p);
            else
                drawable(item, p);
        }
    }

    void region(const QJsonObject& o, TRavePage* page)
    {
        auto* r = new TRaveRegion(page);
        r->Name = text(o, "name");
        r->Left = number(o, "left", 0);
        r->Top = number(o, "top", 0);
        r->Width = number(o, "width", page->PageWidth - r->Left);
        r->Height = number(o, "height", page->PageHeight - r->Top);
        for (const QJsonObject& b : objects(o, "items")) {
            const QString t = type(b);
            if (t != "band" && t != "databand")
                throw InvalidFormat{};
            TRaveBand* band = t == "band" ? new TRaveBand(r) : new TRaveDataBand(r);
            if (auto* data = dynamic_cast<TRaveDataBand*>(band))
                data->Connection = text(b, "connection");
            band->Name = text(b, "name");
            band->Height = number(b, "height", 0);
            band->Repeat = boolean(b, "repeat");
            for (const QJsonObject& item : objects(b, "items"))
                drawable(item, band);
        }
    }

    void drawable(const QJsonObject& o, TRaveComponent* owner)
    {
        const QString t = type(o);
        TRaveItem* item = nullptr;
        if (t == "text" || t == "datatext" || t == "pagetext") {
            TRaveText* txt = nullptr;
            if (t == "text")
                txt = new TRaveText(owner);
            else if (t == "datatext")
                txt = new TRaveDataText(owner);
            else
                txt = new TRavePageText(owner);
            txt->Text = text(o, "text");
            txt->FontJustify = justify(text(o, "justify", "left"));
            txt->Elide = boolean(o, "elide");
            txt->Fit = boolean(o, "fit");
            if (o.contains("font"))
                font(o.value("font"), txt->Font);
            if (auto* data = dynamic_cast<TRaveDataText*>(txt)) {
                data->Connection = text(o, "connection");
                data->DataField = text(o, "field");
                data->Numeric = o.contains("number");
                if (data->Numeric)
                    numberFormat(o.value("number"), data->NumberFormat);
            }
            item = txt;
        } else if (t == "line") {
            auto* line = new TRaveLine(owner);
            line->LineWidth = number(o, "lineWidth", line->LineWidth);
            line->Color = color(o, "color", line->Color);
            item = line;
        } else if (t == "rectangle") {
            auto* rect = new TRaveRectangle(owner);
            rect->LineWidth = number(o, "lineWidth", rect->LineWidth);
            rect->Color = color(o, "color", rect->Color);
            rect->Filled = o.contains("fill");
            rect->FillColor = color(o, "fill", rect->FillColor);
            item = rect;
        } else if (t == "picture") {
            auto* pic = new TRavePicture(owner);
            pic->FileName = QDir(folder_).absoluteFilePath(text(o, "file"));
            item = pic;
        } else {
            throw InvalidFormat{};
        }
        item->Name = text(o, "name");
        item->Left = number(o, "left", 0);
        item->Top = number(o, "top", 0);
        item->Width = number(o, "width", 0);
        item->Height = number(o, "height", 0);
    }

    static QString type(const QJsonObject& o) { return text(o, "type"); }

    static std::vector<QJsonObject> objects(const QJsonObject& o, const char* key)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            throw InvalidFormat{};
        std::vector<QJsonObject> list;
        for (const QJsonValue& e : v.toArray()) {
            if (!e.isObject())
                throw InvalidFormat{};
            list.push_back(e.toObject());
        }
        return list;
    }

    static QString text(const QJsonObject& o, const char* key, const QString& fallback = {})
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isString())
            throw InvalidFormat{};
        return v.toString();
    }

    static double number(const QJsonObject& o, const char* key, double fallback)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isDouble())
            throw InvalidFormat{};
        return v.toDouble();
    }

    static bool boolean(const QJsonObject& o, const char* key)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined())
            return false;
        if (!v.isBool())
            throw InvalidFormat{};
        return v.toBool();
    }

    static void numberFormat(const QJsonValue& v, TRvNumberFormat& f)
    {
        if (!v.isObject())
            throw InvalidFormat{};
        const QJsonObject o = v.toObject();
        const double decimals = number(o, "decimals", 0);
        if (decimals < 0 || decimals > 9 || decimals != int(decimals))
            throw InvalidFormat{};
        f.Decimals = int(decimals);
        f.Grouping = boolean(o, "grouping");
        f.DropZeroDecimals = boolean(o, "dropZeroDecimals");
        f.Empty = text(o, "empty");
    }

    static TColor color(const QJsonObject& o, const char* key, TColor fallback)
    {
        const QString s = text(o, key, "-");
        if (s == "-")
            return fallback;
        bool ok = false;
        const uint rgb = s.mid(1).toUInt(&ok, 16);
        if (!s.startsWith('#') || s.size() != 7 || !ok)
            throw InvalidFormat{};
        // Windows colour value: red in the low byte.
        return TColor(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
    }

    static TPrintJustify justify(const QString& s)
    {
        if (s == "left")
            return pjLeft;
        if (s == "center")
            return pjCenter;
        if (s == "right")
            return pjRight;
        throw InvalidFormat{};
    }

    static void font(const QJsonValue& v, TFont& f)
    {
        if (!v.isObject())
            throw InvalidFormat{};
        const QJsonObject o = v.toObject();
        f.Name = text(o, "name", f.Name);
        f.Size = int(number(o, "size", f.Size));
        f.Color = color(o, "color", f.Color);
        if (o.contains("style")) {
            if (!o.value("style").isArray())
                throw InvalidFormat{};
            f.Style = 0;
            for (const QJsonValue& s : o.value("style").toArray()) {
                const QString name = s.toString();
                if (name == "bold")
                    f.Style |= fsBold;
                else if (name == "italic")
                    f.Style |= fsItalic;
                else if (name == "underline")
                    f.Style |= fsUnderline;
                else if (name == "strikeout")
                    f.Style |= fsStrikeOut;
                else
                    throw InvalidFormat{};
            }
        }
    }

    QString folder_;
};

} // namespace

std::unique_ptr<TRaveProjectManager> LoadRaveProject(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw Exception("The following reporting project does not exist:\r\"" + info.absoluteFilePath() +
                        "\"");
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isObject())
        throw Exception("Invalid Project Format");
    auto pm = std::make_unique<TRaveProjectManager>();
    try {
        Reader(info.absolutePath()).project(doc.object(), *pm);
    } catch (const InvalidFormat&) {
        throw Exception("Invalid Project Format");
    }
    return pm;
}
