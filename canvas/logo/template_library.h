#pragma once

#include "canvas/logo/logo_document.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace vm {

struct LogoTemplate {
    QString category; // as shown: "Food and Drink", "My templates"
    QString name;     // as shown: "Harbour Cafe"
    QString path;     // the logo file it was read from
    bool own = false; // saved by the user
    LogoDocument logo;
};

// The templates a new logo may start from. Shipped ones sit in
// <folder>/<category>/<name>.xml (file and folder names in lower case with
// hyphens, shown in title case); the user's own are logo files directly in
// their own folder and form the category "My templates". Every template is a
// complete logo in our logo XML. A file that cannot be read is skipped and
// reported through the log, never fatal.
class TemplateLibrary {
public:
    using Log = std::function<void(const QString& line)>;

    static const QString ownCategory;

    static TemplateLibrary load(const QString& shippedFolder, const QString& ownFolder, const Log& log);

    // The per-user folder for saved templates (XDG data home).
    static QString defaultOwnFolder();
    // Writes logo into folder as a template called name, atomically; the
    // file name is made from the name. Returns the file written, or "" with error set.
    static QString saveOwn(const QString& folder, const QString& name, const LogoDocument& logo, QString* error);

    // "food-and-drink" -> "Food and Drink".
    static QString shownName(const QString& fileName);

    const QList<LogoTemplate>& templates() const { return templates_; }
    // Categories in showing order: shipped ones by folder name, the user's own last.
    QStringList categories() const;
    QList<const LogoTemplate*> inCategory(const QString& category) const;
    const LogoTemplate* find(const QString& category, const QString& name) const;

private:
    void readFolder(const QString& folder, const QString& category, bool own, const Log& log);

    QList<LogoTemplate> templates_;
};

} // namespace vm
