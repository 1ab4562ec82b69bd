#pragma once

#include "project/project_file.h"
#include "project/project_seams.h"

#include <QString>
#include <pugixml.hpp>

namespace vm {

class ProjectFlows;

// The recent-file history: App.Config (in the program folder, or the user's
// configuration folder when it is read-only) holds the slots
// (the FilePath children of its first LogoHistory element, most recent
// first, "Nothing" for an empty one); the submenu under mnuRecent is a view
// of it, rebuilt after every change. The slot count is the file's own: we
// only rewrite texts, and never create the file.
class RecentFiles {
public:
    RecentFiles(const ProjectSeams& host, ProjectFlows& flows);

    // Adds one menu item per filled slot, keys mnuFile1, mnuFile2, ... in order.
    void ReteriveFileHistory();
    // Moves path to the first slot, rebuilds the menu bar and refills it.
    void UpdateHistory(const QString& path);
    // The user chose the i-th entry of the submenu.
    void mnuFile(int index);

    // App.Config as it is on disk now, and put back as it was (an open the
    // canvas refused must not have moved its file up the history).
    QByteArray snapshot() const;
    void restore(const QByteArray& snapshot);

    QString configPath() const;

    // The carry walk over the slots of history: path goes first, the entries
    // above its old slot move down one, its old slot (or the last one) goes.
    static void carry(pugi::xml_node history, const QString& path);
    // The first LogoHistory child of the document element; null when none.
    static pugi::xml_node historyOf(const pugi::xml_document& document);

private:
    // Loads App.Config; throws when there is no document element.
    void load(project_file::ParsedXml& config) const;

    ProjectSeams host_;
    ProjectFlows& flows_;
};

} // namespace vm
