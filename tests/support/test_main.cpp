// The test programs' main. Many tests share one process, so whatever a test may change in the
// process's shared state is put back after each test, and every test starts from the same state.
#include "support/child_reports.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class PerTestReset : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override { QLocale::setDefault(locale_); }

private:
    const QLocale locale_;
};

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestReset);
    auto* child_reports = new ChildSanitizerReports;
    ::testing::UnitTest::GetInstance()->listeners().Append(child_reports);
    const int failed = RUN_ALL_TESTS();
    // A child's report fails the run even when every test passed.
    return child_reports->clean() ? failed : 1;
}
