#pragma once

#include "platform/api/process_runner.h"
#include "artwork/clipart_and_pictures.h"
#include "tests/unit/shell/host_fixture.h"

#include <QImage>

namespace vm::test {

inline const QString ae = QString(QChar(0x00E6));

// The converter as the crop sees it: every line is kept, and unless told not
// to, the target (the last argument) gets a small picture, as convert would write.
struct FakeCropConverter : ProcessRunner {
    QStringList commandLines;
    QStringList folders;
    bool produce = true;
    Qt::GlobalColor colour = Qt::green;
    bool runProcess(const QString& line, const QString& folder, int, int, int) override
    {
        commandLines.append(line);
        folders.append(folder);
        if (produce) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(colour);
            picture.save(splitCommandLine(line).last(), "PNG");
        }
        return true;
    }
    int runForExitCode(const QString&) override { return -1; }
};

// A started program with the resources plugged in; InstallRoot is root/.
class ResourcesFixture : public HostFixture {
protected:
    void start(ProcessRunner& converter)
    {
        makeHost();
        resources = std::make_unique<ClipArtAndPictures>(seams().artwork(), converter, [this] { return now; });
        startToReady();
        QDir().mkpath(imageFolder());
        forms.shown.clear();
    }
    void start() { start(fakeConverter); }

    QString installRoot() const { return root.path() + QLatin1Char('/'); }
    QString imageFolder() const { return installRoot() + QStringLiteral("LogoImages/"); }
    QString datasrc(const QString& relative) const { return installRoot() + QStringLiteral("datasrc/") + relative; }

    QStringList alerts() const
    {
        QStringList messages;
        for (const auto& shown : forms.shown)
            if (shown.form == QLatin1String("frmAlert"))
                messages.append(shown.message + QStringLiteral(" owner=") + shown.owner);
        return messages;
    }

    QDateTime now{QDate(2026, 12, 5), QTime(18, 27, 3)};
    FakeCropConverter fakeConverter;
    std::unique_ptr<ClipArtAndPictures> resources;
};

} // namespace vm::test
