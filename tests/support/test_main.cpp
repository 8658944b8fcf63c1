// The test programs' main. Many tests share one process, so whatever a test may change in the
// process's shared state is put back after each test, and every test starts from the same state.
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
    return RUN_ALL_TESTS();
}
