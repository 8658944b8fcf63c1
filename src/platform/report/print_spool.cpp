#include "report/print_spool.h"

#include <QThread>
#include <algorithm>
#include <chrono>
#include <memory>

int TPrintSpool::DefaultWriters()
{
    // One core stays with the thread that makes the jobs.
    return std::clamp(QThread::idealThreadCount() - 1, 1, 4);
}

TPrintSpool::TPrintSpool(int writers) : window_(2 * writers)
{
    writers_.setMaxThreadCount(writers);
}

TPrintSpool::~TPrintSpool()
{
    // A job's files and data go with `pending_`, which must outlast its write.
    writers_.waitForDone();
}

void TPrintSpool::Add(std::function<void()> write, std::function<void()> submit)
{
    submit_ready(false);
    while (int(pending_.size()) >= window_)
        submit_ready(true);
    auto task = std::make_shared<std::packaged_task<void()>>(std::move(write));
    pending_.push_back({task->get_future(), std::move(submit)});
    ++added_;
    writers_.start([task] { (*task)(); });
}

void TPrintSpool::Finish()
{
    // A failed job stays at the front: it is raised again.
    while (!pending_.empty())
        submit_ready(true);
}

// Submits the jobs at the front that are written; with `wait`, waits for the first one.
void TPrintSpool::submit_ready(bool wait)
{
    if (failure_)
        std::rethrow_exception(failure_);
    while (!pending_.empty()) {
        Job& job = pending_.front();
        if (!wait && job.written.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return;
        wait = false;
        try {
            job.written.get();
            job.submit();
        } catch (...) {
            failure_ = std::current_exception();
            failed_ = submitted_;
            throw;
        }
        pending_.pop_front();
        ++submitted_;
    }
}
