#include "app/ideas/ideas_run.h"

#include "app/ideas/index_page.h"
#include "canvas/ideas/idea_generator.h"
#include "canvas/logo/imported_fonts.h"
#include "canvas/logo/logo_fonts.h"
#include "canvas/logo/logo_xml.h"
#include "canvas/logo/png_file.h"
#include "export/logo_export.h"
#include "export/logo_pictures.h"
#include "platform/api/atomic_file.h"
#include "project/project_file.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <mutex>
#include <thread>

namespace vm {

namespace {
constexpr int failedExitCode = 1;
constexpr int previewWidth = 512;

IdeasRunResult failed(QString message)
{
    return {failedExitCode, message.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified()};
}

// Each worker draws with its own renderer, set up as an export run sets up its one.
void writePreviews(const std::vector<ideas::Idea>& list, const QString& folder, const QString& root,
                   const LogoResources& resources, QString& problem)
{
    std::atomic<size_t> next{0};
    std::mutex problemLock;
    const auto work = [&] {
        LogoRenderer renderer(resources);
        ImportedFonts userFonts;
        useLogoFonts(root, userFonts, renderer, [](const QString&) {});
        ExportOptions options;
        options.width = previewWidth;
        for (size_t index = next++; index < list.size(); index = next++) {
            const ideas::Idea& idea = list[index];
            const QString path = QDir(folder).filePath(ideaPreviewName(idea.number));
            // Drawn as an export draws, packed quickly: previews are looked at, not sent.
            const QImage picture = logo_pictures::render(idea.logo, renderer, logo_export::outputSize(idea.logo, options),
                                                         idea.logo.background);
            const QByteArray bytes = png_file::encode(picture, png_file::Packing::Fast);
            const WriteOutcome written = bytes.isEmpty() ? WriteOutcome::failure(0, QStringLiteral("it could not be drawn"))
                                                         : writeFileAtomically(path, bytes);
            if (!written.ok) {
                const std::lock_guard lock(problemLock);
                if (problem.isEmpty())
                    problem = QStringLiteral("%1 was not written: %2").arg(path, written.reason);
            }
        }
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    std::vector<std::thread> workers;
    for (unsigned index = 1; index < threads; ++index)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
}
} // namespace

QString ideasFolderProblem(const QString& out)
{
    const QFileInfo folder(out);
    if (folder.exists() && !folder.isDir())
        return QStringLiteral("%1 is a file, not a folder").arg(out);
    if (folder.isDir())
        return folder.isWritable() ? QString() : QStringLiteral("the folder %1 cannot be written").arg(out);
    // A new folder: the nearest folder that is there must let us create it.
    QFileInfo parent(folder.absolutePath());
    while (!parent.exists() && parent.absoluteFilePath() != parent.absolutePath())
        parent = QFileInfo(parent.absolutePath());
    if (!parent.isDir())
        return QStringLiteral("%1 is a file, so the folder %2 cannot be made").arg(parent.filePath(), out);
    if (!parent.isWritable())
        return QStringLiteral("the folder %1 cannot be made: %2 cannot be written").arg(out, parent.filePath());
    return {};
}

IdeasRunResult runIdeas(const IdeasRun& run, const QString& programFolder)
{
    if (run.name.trimmed().isEmpty())
        return failed(QStringLiteral("--ideas needs a name that is not empty"));
    if (run.count < 1 || run.count > maxIdeas)
        return failed(QStringLiteral("--count must be from 1 to %1").arg(maxIdeas));
    for (const QString& mood : run.moods)
        if (!ideas::moodNames().contains(mood.toLower()))
            return failed(QStringLiteral("--moods: unknown mood \"%1\" (use %2)").arg(mood, ideas::moodNames().join(QStringLiteral(", "))));
    if (!run.colour.isEmpty() && !ideas::colourFamilies().contains(run.colour.toLower()))
        return failed(QStringLiteral("--colour: unknown colour family \"%1\" (use %2)")
                          .arg(run.colour, ideas::colourFamilies().join(QStringLiteral(", "))));
    if (run.out.isEmpty())
        return failed(QStringLiteral("--ideas needs --out"));
    if (const QString problem = ideasFolderProblem(run.out); !problem.isEmpty())
        return failed(problem);

    const LogoResources resources = logo_export::resourcesFor(programFolder);
    const QString root = QFileInfo(resources.dataFolder).absolutePath();
    const ideas::IdeaGenerator generator(resources.dataFolder, QDir(root).filePath(QStringLiteral("ideas")));
    ideas::IdeaRequest request;
    request.name = run.name;
    request.tagline = run.tagline;
    request.keywords = run.keywords;
    for (const QString& mood : run.moods)
        request.moods.append(mood.toLower());
    request.colourFamily = run.colour.toLower();
    request.seed = run.seed;
    const std::vector<ideas::Idea> list = generator.ideas(request, 1, run.count);

    if (!QDir().mkpath(run.out))
        return failed(QStringLiteral("the folder %1 could not be made").arg(run.out));
    for (const ideas::Idea& idea : list) {
        const QString path = QDir(run.out).filePath(ideaProjectName(idea.number));
        // Exactly the bytes the program's own save writes for this logo.
        const WriteOutcome written = project_file::writeLogo(path, QString::fromUtf8(logo_xml::write(idea.logo)));
        if (!written.ok)
            return failed(QStringLiteral("%1 was not written: %2").arg(path, written.reason));
    }
    QString problem;
    writePreviews(list, run.out, root, resources, problem);
    if (!problem.isEmpty())
        return failed(problem);
    const QString index = QDir(run.out).filePath(QStringLiteral("index.html"));
    if (const WriteOutcome written = writeFileAtomically(index, ideasIndexPage(run.name.simplified(), list)); !written.ok)
        return failed(QStringLiteral("%1 was not written: %2").arg(index, written.reason));
    return {};
}

} // namespace vm
