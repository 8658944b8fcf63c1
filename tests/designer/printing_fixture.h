#pragma once
// The program started for printing tests: every card job is caught where it would reach the
// preview window or the printer, with the text items the job added to the project.
#include "data/ado.h"
#include "designer/designer_fixture.h"
#include "designer/print_now_control.h"
#include "report/rave.h"

#include <QApplication>
#include <functional>
#include <vector>

struct PrintedItem {
    QString name;
    TPrintJustify justify;
    double top, left, width, height;
    QString text;
    TFont font;
};

struct PrintedCard {
    TReportDest dest;
    TRvDocument doc;
    std::vector<PrintedItem> items; // the page's text items in drawing order
    QString guest;                  // the name line when the card printed
    int cursor;                     // the shape that overrides the cursor then, or -1
};

class PrintingTest : public DesignerTest {
protected:
    void SetUp() override
    {
        DesignerTest::SetUp();
        Unit1::report_was_run.clear();
        TRvSystem::PreviewHook = [this](const TRvDocument& d) { caught(rdPreview, d); };
        TRvSystem::PrinterHook = [this](const TRvDocument& d) { caught(rdPrinter, d); };
    }
    void TearDown() override
    {
        TRvSystem::PreviewHook = nullptr;
        TRvSystem::PrinterHook = nullptr;
        DesignerTest::TearDown();
    }

    // Guests (name, lastname, other text as SQL values), keys from 1 in this order.
    void guests(const std::vector<QString>& values)
    {
        for (size_t i = 0; i < values.size(); ++i)
            folder.sql(QString("INSERT INTO member (userid, name, lastname, other_txt) VALUES (%1, %2);")
                           .arg(i + 1)
                           .arg(values[i]));
    }
    // The name lines of the cards printed so far.
    QStringList printed_guests() const
    {
        QStringList names;
        for (const PrintedCard& c : cards)
            names << c.guest;
        return names;
    }
    void write_project(const QByteArray& content) const
    {
        QFile f(folder.file("op.rav"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    std::vector<PrintedCard> cards;
    // Runs inside each card job, after the card is recorded (1-based card number).
    std::function<void(int card)> during_card;

private:
    void caught(TReportDest dest, const TRvDocument& doc)
    {
        const QCursor* over = QApplication::overrideCursor();
        PrintedCard card{dest, doc, {}, Form1->Label1->Caption(), over ? int(over->shape()) : -1};
        if (auto* page = Form1->RvProject1->FindRaveComponent("Report1.Page1", nullptr)) {
            for (const TRaveComponent* c : page->Children()) {
                if (auto* t = dynamic_cast<const TRaveText*>(c))
                    card.items.push_back(
                        {t->Name, t->FontJustify, t->Top, t->Left, t->Width, t->Height, t->Text, t->Font});
            }
        }
        cards.push_back(card);
        if (during_card)
            during_card(int(cards.size()));
    }
};
