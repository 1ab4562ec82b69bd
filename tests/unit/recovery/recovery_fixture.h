#pragma once

#include "recovery/recovery_store.h"
#include "tests/support/test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace vm::test {

// A recovery folder of the test's own, and stores opened on it as copies of the program would.
class RecoveryFolderTest : public ::testing::Test {
protected:
    QString folder() const { return root.path() + QStringLiteral("/state/vantamorph/recovery"); }
    QString in(const QString& name) const { return folder() + QLatin1Char('/') + name; }
    std::unique_ptr<RecoveryStore> openStore()
    {
        auto store = std::make_unique<RecoveryStore>(folder());
        EXPECT_TRUE(store->open()) << store->openFailure().toStdString();
        return store;
    }
    static QDateTime now() { return QDateTime::currentDateTimeUtc(); }

    QTemporaryDir root;
};

} // namespace vm::test
