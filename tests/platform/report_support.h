#pragma once
// Helpers for the report engine tests: a widget application, project files in a temporary
// folder, and what poppler reads back from a PDF.
#include "report/rave.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// The test process's one application: other tests in the process may browse, and the browser
// engine needs the application that the program makes.
inline void EnsureApplication()
{
    test_application();
}

inline QString WriteTextFile(const QString& path, const QString& text)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(text.toUtf8());
    return path;
}

// A project file whose reports are given as JSON text.
inline QString ProjectText(const QString& reports, const QString& extra = {})
{
    return R"({"format": "krv-report-project", "version": 1)" + extra + R"(, "reports": [)" + reports + "]}";
}

struct PdfWord {
    QString Text;
    double XMin, YMin, XMax, YMax; // points from the page's top-left
    int Page;                      // 1-based
};

struct PdfContent {
    std::vector<QSizeF> Pages; // points
    std::vector<PdfWord> Words;

    QString Text() const
    {
        QStringList all;
        for (const PdfWord& w : Words)
            all << w.Text;
        return all.join(' ');
    }
    const PdfWord* Find(const QString& text) const
    {
        for (const PdfWord& w : Words) {
            if (w.Text == text)
                return &w;
        }
        return nullptr;
    }
};

// Reads page sizes and word boxes with `pdftotext -bbox`.
inline PdfContent ReadPdf(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", path, "-"});
    p.waitForFinished(30000);
    PdfContent pdf;
    QXmlStreamReader xml(p.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"page") {
            pdf.Pages.emplace_back(a.value("width").toDouble(), a.value("height").toDouble());
        } else if (xml.name() == u"word") {
            PdfWord w{{},
                      a.value("xMin").toDouble(),
                      a.value("yMin").toDouble(),
                      a.value("xMax").toDouble(),
                      a.value("yMax").toDouble(),
                      int(pdf.Pages.size())};
            w.Text = xml.readElementText();
            pdf.Words.push_back(w);
        }
    }
    return pdf;
}

// An in-memory data set behind a connection, counting what the engine does to it.
class TestConnection : public TRvCustomConnection {
public:
    TestConnection(QString name, QStringList columns, std::vector<QStringList> rows)
        : TRvCustomConnection(std::move(name)), columns_(std::move(columns)), rows_(std::move(rows))
    {
    }

    bool open = false;
    int rec_no = 0;
    int opens = 0, closes = 0;

    bool Active() const override { return open; }
    void Open() override
    {
        open = true;
        rec_no = rows_.empty() ? 0 : 1;
        ++opens;
    }
    void Close() override
    {
        open = false;
        ++closes;
    }
    int RecNo() const override { return rec_no; }
    void SetRecNo(int r) override { rec_no = r; }
    int RowCount() const override { return open ? int(rows_.size()) : 0; }
    QString FieldText(int row0, const QString& field) const override
    {
        return rows_.at(row0).value(int(columns_.indexOf(field)));
    }

private:
    QStringList columns_;
    std::vector<QStringList> rows_;
};
