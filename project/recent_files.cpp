#include "project/recent_files.h"

#include "platform/api/file_limits.h"
#include "platform/api/path_style.h"
#include "platform/api/run_time_error.h"
#include "project/project_file.h"
#include "project/project_flows.h"

#include <cstring>

namespace vm {

namespace {

const QString nothing = QStringLiteral("Nothing");

// Names compare without their prefix, exactly and case-sensitively.
bool named(const pugi::xml_node& node, const char* localName)
{
    if (node.type() != pugi::node_element)
        return false;
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, localName) == 0;
}

QString textOf(const pugi::xml_node& node)
{
    return QString::fromUtf8(node.text().get());
}

void setText(pugi::xml_node node, const QString& text)
{
    node.text().set(text.toUtf8().constData());
}

} // namespace

RecentFiles::RecentFiles(const ProjectSeams& host, ProjectFlows& flows) : host_(host), flows_(flows) {}

QString RecentFiles::configPath() const
{
    return host_.state.places.configFile();
}

void RecentFiles::load(project_file::ParsedXml& config) const
{
    const BoundedRead file = readBoundedFile(configPath(), file_limits::xmlList);
    if (!file.ok())
        throw RunTimeError(error_number::ObjectVariableNotSet,
                           QStringLiteral("Object variable or With block variable not set (%1)").arg(file.reason));
    project_file::parse(project_file::decode(file.bytes), config);
    const pugi::xml_parse_result& parsed = config.result;
    if (!parsed || !config.document.document_element())
        throw RunTimeError(error_number::ObjectVariableNotSet,
                           QStringLiteral("Object variable or With block variable not set (%1: %2)")
                               .arg(configPath(), QString::fromUtf8(parsed.description())));
}

pugi::xml_node RecentFiles::historyOf(const pugi::xml_document& document)
{
    for (pugi::xml_node child : document.document_element().children())
        if (named(child, "LogoHistory"))
            return child;
    return {};
}

void RecentFiles::carry(pugi::xml_node history, const QString& path)
{
    bool first = true;
    QString carried;
    for (pugi::xml_node slot : history.children()) {
        if (!named(slot, "FilePath"))
            continue;
        const QString old = textOf(slot);
        setText(slot, first ? path : carried);
        carried = old;
        first = false;
        if (old == path)
            return;
    }
}

void RecentFiles::ReteriveFileHistory()
{
    host_.trap.run(QStringLiteral("frmMain\\ReteriveFileHistory"), [&] {
        project_file::ParsedXml config;
        load(config);
        const pugi::xml_node history = historyOf(config.document);
        if (!history)
            return;
        int counter = 0;
        for (pugi::xml_node slot : history.children()) {
            if (!named(slot, "FilePath") || textOf(slot) == nothing)
                continue;
            ++counter;
            MenuItem item;
            item.parent = QStringLiteral("mnuRecent");
            item.key = QStringLiteral("mnuFile") + QString::number(counter);
            item.caption = textOf(slot);
            host_.menuItems.AddItem(item);
        }
    });
}

void RecentFiles::UpdateHistory(const QString& path)
{
    host_.trap.run(QStringLiteral("frmMain\\UpdateHistory"), [&] {
        project_file::ParsedXml config;
        // A missing or broken file still gets the menu bar rebuilt before the
        // failure is logged, so the bar shows no stale entries.
        std::exception_ptr unreadable;
        try {
            load(config);
        } catch (...) {
            unreadable = std::current_exception();
        }
        host_.mainMenu.rebuild();
        if (unreadable)
            std::rethrow_exception(unreadable);
        if (const pugi::xml_node history = historyOf(config.document))
            carry(history, path);
        const project_file::Outcome written =
            project_file::writeAtomically(configPath(), project_file::serialise(config));
        if (!written.ok)
            throw RunTimeError(written.errorNumber, written.reason);
        ReteriveFileHistory();
    });
}

QByteArray RecentFiles::snapshot() const
{
    return readBoundedFile(configPath(), file_limits::xmlList).bytes;
}

void RecentFiles::restore(const QByteArray& snapshot)
{
    host_.trap.run(QStringLiteral("frmMain\\UpdateHistory"), [&] {
        if (snapshot.isEmpty() || snapshot == this->snapshot())
            return;
        const project_file::Outcome written = project_file::writeAtomically(configPath(), snapshot);
        host_.mainMenu.rebuild();
        ReteriveFileHistory();
        if (!written.ok)
            throw RunTimeError(written.errorNumber, written.reason);
    });
}

void RecentFiles::mnuFile(int index)
{
    host_.trap.run(QStringLiteral("frmMain\\mnuFile"), [&] {
        MenuItems& items = host_.menuItems;
        const int id = items.FindItem(QStringLiteral("mnuFile") + QString::number(index));
        if (!id)
            throw RunTimeError(error_number::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        const QString path = items.ItemCaption(id);
        const BoundedRead check = project_file::checkProject(path);
        if (check.failure == ReadFailure::Missing) {
            host_.messages.Alert(host_.language.GetControlCaptions(QStringLiteral("alertNotFount")), &host_.mainForm);
            return;
        }
        if (!check.ok()) {
            host_.messages.Alert(project_file::cannotOpenMessage(check), &host_.mainForm);
            return;
        }
        HostState& state = host_.state;
        if (state.isDirty
            && host_.messages.MessageBoxYN(host_.language.GetControlCaptions(QStringLiteral("msgYNSaveLogoPrj")),
                                           &host_.mainForm)) {
            // The canvas reads one request at a time: an open sent now would
            // overwrite the save request before the canvas has read it. Wait
            // for the save, as the open dialog does.
            state.pendingOpenPath = path;
            state.openAfterSave = true;
            state.saveNotCancelled = true;
            QString target = state.currentProjectFile;
            flows_.mnuSave(target);
            if (!state.saveNotCancelled)
                state.openAfterSave = false;
            return;
        }
        flows_.OpenLogoProject(QStringLiteral("result open"), path, QString());
    });
}

} // namespace vm
