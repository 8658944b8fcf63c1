#pragma once
// Sanitizer reports of the tests' child processes (the program, the helpers), which their exit codes
// alone would not show: under a sanitized run (KRV_CHILD_REPORTS names a folder) children write them
// to a folder of this process, and the test during which one appeared is named with it.
#include <QString>
#include <gtest/gtest.h>

class ChildSanitizerReports : public ::testing::EmptyTestEventListener {
public:
    ChildSanitizerReports();
    void OnTestEnd(const ::testing::TestInfo& test) override;
    // False once a child reported anything.
    bool clean() const { return clean_; }

private:
    QString folder_;
    bool clean_ = true;
};
