// Print jobs written on background threads and submitted in the order they were added.
#include "report/pdf_output.h"
#include "report/print_spool.h"
#include "report_support.h"
#include "support/golden_image.h"
#include "system/sysutils.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Writes that end in an order the test chooses: each waits for the writes it names to end first.
class Writes {
public:
    explicit Writes(int jobs) : ended_(size_t(jobs), false) {}
    void run(int job, const std::vector<int>& after)
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] {
            for (int a : after)
                if (!ended_[size_t(a)])
                    return false;
            return true;
        });
        ended_[size_t(job)] = true;
        order_.push_back(job);
        changed_.notify_all();
    }
    std::vector<int> order() const
    {
        std::lock_guard lock(mutex_);
        return order_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> ended_;
    std::vector<int> order_;
};

TEST(PrintSpoolTest, JobsAreSubmittedInTheirOrderWhateverOrderTheirWritesEndIn)
{
    constexpr int kWriters = 4, kJobs = 12;
    Writes writes(kJobs);
    std::vector<int> submitted;
    {
        TPrintSpool spool(kWriters);
        // In each group of four the last job's write ends first and the first job's last.
        for (int job = 0; job < kJobs; ++job) {
            std::vector<int> after;
            for (int later = job + 1; later < (job / kWriters + 1) * kWriters; ++later)
                after.push_back(later);
            spool.Add([&writes, job, after] { writes.run(job, after); },
                      [&submitted, job] { submitted.push_back(job); });
        }
        spool.Finish();
        EXPECT_EQ(spool.Jobs(), kJobs);
        EXPECT_EQ(spool.FailedJob(), -1);
    }
    EXPECT_EQ(writes.order(), (std::vector<int>{3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8}));
    EXPECT_EQ(submitted, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(PrintSpoolTest, AFailedJobStopsTheSubmissionsAndIsRaisedUntilTheEnd)
{
    constexpr int kFailing = 3, kJobs = 10;
    for (const bool in_write : {true, false}) {
        SCOPED_TRACE(in_write ? "the write fails" : "the submission fails");
        std::vector<int> submitted;
        std::atomic<int> written = 0;
        QString raised;
        int added = 0;
        {
            TPrintSpool spool(4);
            try {
                for (; added < kJobs; ++added) {
                    const int job = added;
                    spool.Add(
                        [&, job] {
                            ++written;
                            if (in_write && job == kFailing)
                                throw Exception("write failed");
                        },
                        [&, job] {
                            if (!in_write && job == kFailing)
                                throw Exception("refused");
                            submitted.push_back(job);
                        });
                }
                spool.Finish();
            } catch (const Exception& e) {
                raised = e.Message();
            }
            EXPECT_EQ(spool.FailedJob(), kFailing);
            // Raised again to whoever asks for the rest.
            EXPECT_THROW(spool.Finish(), Exception);
            EXPECT_THROW(spool.Add([] {}, [] {}), Exception);
            EXPECT_EQ(spool.Jobs(), added);
        }
        EXPECT_EQ(raised, in_write ? "write failed" : "refused");
        EXPECT_EQ(submitted, (std::vector<int>{0, 1, 2}));
        EXPECT_EQ(written, added) << "every write taken ended before the spool went";
    }
}

TEST(PrintSpoolTest, ClosingWaitsForTheWritesInFlightAndSubmitsNothingMore)
{
    std::promise<void> go;
    const std::shared_future<void> released = go.get_future().share();
    std::atomic<int> ended = 0;
    int submitted = 0;
    {
        TPrintSpool spool(4);
        for (int job = 0; job < 8; ++job)
            spool.Add(
                [&, released] {
                    released.wait();
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                    ++ended;
                },
                [&] { ++submitted; });
        go.set_value();
    }
    EXPECT_EQ(ended, 8);
    EXPECT_EQ(submitted, 0);
}

TEST(PrintSpoolTest, ASheetWrittenByAWriterIsTheSheetWrittenHere)
{
    EnsureApplication();
    const QTemporaryDir dir;
    QImage art(10, 20, QImage::Format_RGB32);
    art.fill(Qt::red);
    ASSERT_TRUE(art.save(dir.filePath("art.png")));
    QFile svg(dir.filePath("art.svg"));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
              R"(<circle cx="5" cy="5" r="4" fill="blue"/></svg>)");
    svg.close();
    TFont font;
    font.Name = "DejaVu Serif";
    font.Size = 20;
    font.Style = fsBold | fsItalic | fsUnderline;
    font.Color = clFuchsia;
    const TRvDocument doc{
        {{4,
          3,
          {TRvDrawnText{"Ann Lee", 0.5, 0.3, 3, pjCenter, font, false, false},
           TRvDrawnText{"A name far too long for its place", 0.5, 1, 1, pjLeft, font, false, true},
           TRvDrawnLine{0.2, 2.9, 3.8, 2.9, 2, clBlue},
           TRvDrawnRectangle{QRectF(0.2, 1.6, 1, 1), 1, clBlack, true, clGreen},
           TRvDrawnPicture{QRectF(1.5, 1.6, 0.5, 1), dir.filePath("art.png")},
           TRvDrawnPicture{QRectF(2.5, 1.6, 1, 1), dir.filePath("art.svg")}}}}};
    const QString here = dir.filePath("here.pdf"), spooled = dir.filePath("spooled.pdf");
    WritePdf(doc, here, "card", [](int) {});
    TPrintSpool spool(1);
    spool.Add([&] { WritePdf(doc, spooled, "card", [](int) {}); }, [] {});
    spool.Finish();
    const QImage expected = RasterisePdf(here, 100);
    ASSERT_FALSE(expected.isNull());
    EXPECT_TRUE(RasterisePdf(spooled, 100) == expected);
}

} // namespace
