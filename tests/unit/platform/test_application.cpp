// One QApplication for the whole test binary: sockets, processes and dialogs need it.
#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = new QApplication(argc_, argv_);
    }
    void TearDown() override { delete application_; }

private:
    int argc_ = 1;
    char name_[16] = "platform_tests";
    char* argv_[2] = {name_, nullptr};
    QApplication* application_ = nullptr;
};

[[maybe_unused]] const auto* registered = ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
