#pragma once

#include "project/project_flows.h"
#include "tests/unit/shell/host_fixture.h"

namespace vm::test {

inline const QString ae = QString(QChar(0x00E6));

inline QByteArray historyConfig(const QStringList& entries)
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<configuration>\n  <LogoHistory>\n";
    for (const QString& entry : entries)
        text += "    <FilePath>" + entry.toUtf8() + "</FilePath>\n";
    return text + "  </LogoHistory>\n</configuration>\n";
}

// A started program with the project flows plugged in and a history file.
class ProjectFixture : public HostFixture {
protected:
    void SetUp() override
    {
        HostFixture::SetUp();
        writeConfig(QStringList(5, QStringLiteral("Nothing")));
    }

    void writeConfig(const QStringList& entries) { writeFile(configPath(), historyConfig(entries)); }
    QString configPath() const { return programFolder + QStringLiteral("/App.Config"); }

    void start()
    {
        makeHost();
        flows = std::make_unique<ProjectFlows>(seams().project());
        startToReady();
    }

    QString project(const QString& name) const { return root.path() + QLatin1Char('/') + name; }

    void dirty() { canvasSays(QStringLiteral("datatosave"), QStringLiteral("true")); }

    QStringList recentMenu() const
    {
        QStringList entries;
        for (const MenuItem& item : host->menuItems.items())
            if (item.parent == QLatin1String("mnuRecent"))
                entries.append(item.key + QLatin1Char('=') + item.caption);
        return entries;
    }

    bool savingShown() const { return forms.isLoaded(host->savingForm); }

    std::unique_ptr<ProjectFlows> flows;
};

} // namespace vm::test
