#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// The tests link gtest's own main: the application comes with the environment.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { application_ = new QCoreApplication(argc_, argv_); }
    void TearDown() override { delete application_; }

private:
    int argc_ = 1;
    char name_[16] = "scripting_tests";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication* application_ = nullptr;
};

[[maybe_unused]] const auto* registered = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
