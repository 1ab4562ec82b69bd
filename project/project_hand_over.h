#pragma once

#include "project/project_seams.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace vm {

// The projects this copy is asked to open from outside: the one named on its
// command line, opened once the menus are ready, and those later copies hand
// over (a file opened from the file manager while the program runs).
class ProjectHandOver {
public:
    using Open = std::function<void(const QString& path)>;

    ProjectHandOver(const ProjectSeams& host, Open open);

    // A request handed to the main window: true when this copy takes it.
    bool take(const QString& request);

    // How often a waiting project looks whether the program is free again.
    static constexpr int retryMilliseconds = 200;

private:
    void ready();
    // Opens the waiting projects one by one, outside the request that brought
    // them and never under an open dialog or the template gallery.
    void openWhenFree();
    bool busy() const;

    ProjectSeams host_;
    Open open_;
    bool ready_ = false;
    bool scheduled_ = false;
    QStringList waiting_;
    QObject context_; // ends queued opens with this object
};

} // namespace vm
