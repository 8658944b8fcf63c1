#pragma once
// Print jobs written on a few background threads and submitted in the order they were added, on
// the thread that adds them.
#include <QThreadPool>
#include <deque>
#include <exception>
#include <functional>
#include <future>

class TPrintSpool {
public:
    explicit TPrintSpool(int writers = DefaultWriters());
    // Waits for the writes in flight; submits nothing more.
    ~TPrintSpool();
    TPrintSpool(const TPrintSpool&) = delete;
    TPrintSpool& operator=(const TPrintSpool&) = delete;

    // Queues a job: `write` runs on a writer thread, `submit` here once the job is written and
    // every earlier job was submitted. Submits the jobs that are ready first. Raises the first
    // failure (a write's or a submission's); after it no job is taken or submitted any more.
    void Add(std::function<void()> write, std::function<void()> submit);
    // Waits for every job and submits the rest in order; raises the first failure.
    void Finish();

    int Jobs() const { return added_; }
    // The job (0-based, in the order added) whose failure was raised, or -1.
    int FailedJob() const { return failed_; }

    static int DefaultWriters();

private:
    struct Job {
        std::future<void> written;
        std::function<void()> submit;
    };
    void submit_ready(bool wait);

    std::deque<Job> pending_;
    int added_ = 0, submitted_ = 0, failed_ = -1;
    std::exception_ptr failure_;
    const int window_; // jobs added but not yet submitted
    QThreadPool writers_;
};
