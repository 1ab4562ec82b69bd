#include "platform/printing/file_spooler.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vm {
namespace {

const QString officeDriver = QStringLiteral("Office Laser Driver");

class FileSpoolerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QStringList problems;
    FileSpooler spooler{folder.path() + "/spool", [this](const QString& problem) { problems.append(problem); }};
};

TEST_F(FileSpoolerTest, KeepsPrintersTheDefaultAndStoredDefaults)
{
    EXPECT_EQ(spooler.profileDevice(), "");
    ASSERT_TRUE(spooler.addPrinter("Office; \"3rd\" floor $(x)\nü", officeDriver, "/tmp/out dir"));
    // The profile value "device,driver,port" cannot carry a comma in the name.
    EXPECT_FALSE(spooler.addPrinter("Office, 3rd floor", officeDriver, ""));
    EXPECT_FALSE(spooler.addPrinter("", officeDriver, ""));
    ASSERT_TRUE(spooler.addPrinter("Vantamorph", printer_driver::printToFile, "FILE:"));
    EXPECT_TRUE(spooler.addPrinter("VANTAMORPH", printer_driver::printToFile, "FILE:")); // present: harmless
    EXPECT_EQ(spooler.printers().size(), 2);
    // The first printer became the default.
    EXPECT_EQ(spooler.profileDevice(), "Office; \"3rd\" floor $(x)\nü,Office Laser Driver,/tmp/out dir");

    EXPECT_TRUE(spooler.setDefaultPrinter("Vantamorph"));
    EXPECT_FALSE(spooler.setDefaultPrinter("vantamorph")); // exact names only
    EXPECT_EQ(spooler.profileDevice(), "Vantamorph,Vantamorph EPS,FILE:");
    // The note of the printer to bring back changes with the switch, even a refused one.
    EXPECT_TRUE(spooler.switchDefaultPrinter("Vantamorph", "Office"));
    EXPECT_EQ(spooler.pendingRestore(), "Office");
    EXPECT_FALSE(spooler.switchDefaultPrinter("Gone", ""));
    EXPECT_EQ(spooler.pendingRestore(), "");
    EXPECT_EQ(spooler.profileDevice(), "Vantamorph,Vantamorph EPS,FILE:");

    PrinterInfo info = *spooler.printer("Vantamorph");
    info.deviceMode = DeviceMode{3, 2, 8};
    EXPECT_FALSE(spooler.setPrinter("Vantamorph", printer_access::Use, info));
    EXPECT_EQ(spooler.printer("Vantamorph")->deviceMode, DeviceMode{});
    EXPECT_TRUE(spooler.setPrinter("Vantamorph", printer_access::AllAccess, info));
    EXPECT_EQ(spooler.printer("Vantamorph")->deviceMode, (DeviceMode{3, 2, 8}));
    EXPECT_FALSE(spooler.printer("Missing"));
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(FileSpoolerTest, MergesOnlyTheMarkedFields)
{
    spooler.addPrinter("P", officeDriver, "");
    const DeviceMode paperOnly{device_fields::PaperSize, 2, 8};
    const DeviceMode merged = *spooler.documentProperties("P", &paperOnly);
    EXPECT_EQ(merged.orientation, 1);
    EXPECT_EQ(merged.paperSize, 8);
    EXPECT_FALSE(spooler.documentProperties("Q"));
}

TEST_F(FileSpoolerTest, ADamagedFileIsReportedKeptAndRebuilt)
{
    for (const QByteArray& damage : {QByteArray("{not json"), QByteArray("[1,2]"), QByteArray("{\"printers\":7}"),
                                     QByteArray("{\"printers\":[3],\"device\":\"\"}"), QByteArray(4096, '\0')}) {
        problems.clear();
        QFile file(spooler.filePath());
        QDir().mkpath(folder.path() + "/spool");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damage);
        file.close();
        EXPECT_TRUE(spooler.printers().isEmpty());
        EXPECT_EQ(problems.size(), 1) << damage.left(20).toStdString();
        EXPECT_TRUE(QFile::exists(spooler.filePath() + ".corrupt"));
        EXPECT_TRUE(spooler.addPrinter("Vantamorph", printer_driver::printToFile, "FILE:"));
        EXPECT_EQ(spooler.printers().size(), 1);
    }
}

TEST_F(FileSpoolerTest, TwoProcessesAddingAtOnceLoseNothing)
{
    // The helper installs "Vantamorph" in other processes while this one adds printers.
    QList<QProcess*> helpers;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VANTAMORPH_SPOOLER_DIR", folder.path() + "/spool");
    for (int index = 0; index < 3; ++index) {
        auto* helper = new QProcess;
        helper->setProcessEnvironment(environment);
        helper->start(VM_PRINTER_HELPER, {});
        helpers.append(helper);
    }
    for (int index = 0; index < 20; ++index)
        EXPECT_TRUE(spooler.addPrinter(QString("Printer %1").arg(index), officeDriver, ""));
    for (QProcess* helper : helpers) {
        EXPECT_TRUE(helper->waitForFinished(10000));
        EXPECT_EQ(helper->exitCode(), 0);
        delete helper;
    }
    EXPECT_EQ(spooler.printers().size(), 21);
    EXPECT_TRUE(spooler.printer("Vantamorph"));
    EXPECT_TRUE(problems.isEmpty());
}

} // namespace
} // namespace vm
