#include "shell/language.h"

#include "platform/api/bounded_file.h"
#include "platform/api/file_limits.h"
#include "platform/api/path_style.h"
#include "platform/api/run_time_error.h"
#include "platform/api/system_dialogs.h"
#include "shell/log/error_trap.h"

namespace vm {

namespace {
const QString lookupLabel = QStringLiteral("frmMain\\GetControlCaptions");

RunTimeError objectNotSet()
{
    return RunTimeError(error_number::ObjectVariableNotSet, QStringLiteral("Object variable or With block variable not set"));
}
} // namespace

Language::Language(QString programFolder, ErrorTrap& trap, SystemDialogs& dialogs)
    : programFolder_(std::move(programFolder)), trap_(trap), dialogs_(dialogs)
{
}

const QStringList& Language::menuCaptionKeys()
{
    static const QStringList keys = {
        QStringLiteral("mnuProject"),      QStringLiteral("mnuNewProject"),    QStringLiteral("mnuNewTemplate"),
        QStringLiteral("mnuOpenProject"),  QStringLiteral("mnuProject"),       QStringLiteral("mnuSave"),
        QStringLiteral("mnuSaveAs"),       QStringLiteral("mnuPublishLogo"),   QStringLiteral("mnuPrintLogo"),
        QStringLiteral("mnuRecent"),       QStringLiteral("mnuExit"),          QStringLiteral("mnuEdit"),
        QStringLiteral("mnuUndo"),         QStringLiteral("mnuCut"),           QStringLiteral("mnuCopy"),
        QStringLiteral("mnuPaste"),        QStringLiteral("mnuDelete"),        QStringLiteral("mnuSendToBack"),
        QStringLiteral("mnuBringToFront"), QStringLiteral("mnuGroupAll"),      QStringLiteral("mnuObject"),
        QStringLiteral("mnuAddText"),      QStringLiteral("mnuAddSymbol"),     QStringLiteral("mnuAddImage"),
        QStringLiteral("mnuBondingObjects"), QStringLiteral("mnuPanels"),      QStringLiteral("mnuShowColor"),
        QStringLiteral("mnuShowTools"),    QStringLiteral("mnuArrangeAll"),    QStringLiteral("mnuMHelp"),
        QStringLiteral("mnuHelp"),         QStringLiteral("mnuQuick"),         QStringLiteral("mnuVantamorphWeb"),
        QStringLiteral("mnuResourceTagline"), QStringLiteral("mnuAboutUS"),    QStringLiteral("mnuCopyrightInfo"),
    };
    return keys;
}

void Language::LoadLanguage(int index)
{
    document_.reset();
    if (index == 0)
        path_ = programFolder_ + path_style::separator + QStringLiteral("Xml") + path_style::separator
                + QStringLiteral("english.xml");
    languageIndex_ = index;
    CheckXMLExists();
}

bool Language::CheckXMLExists()
{
    const BoundedRead file = readBoundedFile(path_, file_limits::language);
    if (file.ok() && document_.load_buffer(file.bytes.constData(), size_t(file.bytes.size())))
        return true;
    document_.reset();
    // Something that is there but is no file says what it is; a missing or damaged file gets the usual advice.
    const bool there = !file.ok() && file.failure != ReadFailure::Missing;
    dialogs_.messageBox(QStringLiteral("Failed to load <") + path_ + QStringLiteral(">.\r\n\r\n")
                            + (there ? file.reason + QLatin1Char('.')
                                     : QStringLiteral("Please make sure that the file exist in application folder.")),
                        QStringLiteral("Vantamorph"), message_box::Buttons::Ok, message_box::Icon::Information);
    return false;
}

QString Language::lookup(const QString& key) const
{
    const pugi::xml_node root = document_.document_element();
    if (!root)
        throw objectNotSet();
    const QString expression = QStringLiteral("//Root/LANGUAGEOPTIONS/CONVERTERITEM[@NAME='") + key + QStringLiteral("']");
    pugi::xpath_node match;
    try {
        const pugi::xpath_query query(expression.toUtf8().constData());
        if (!query.result())
            throw RunTimeError(error_number::Automation, QString::fromUtf8(query.result().description()));
        match = query.evaluate_node(root);
    } catch (const pugi::xpath_exception& invalid) {
        throw RunTimeError(error_number::Automation, QString::fromUtf8(invalid.what()));
    }
    if (!match)
        return QString();
    const pugi::xml_attribute value = match.node().attribute("VALUE");
    if (!value)
        throw objectNotSet();
    return QString::fromUtf8(value.value());
}

QString Language::GetControlCaptions(const QString& key)
{
    return trap_.value(lookupLabel, QString(), [&] {
        const QString text = lookup(key);
        return text.isNull() ? QStringLiteral("") : text;
    });
}

void Language::LoadMenuCaptions()
{
    menuKeys_ = menuCaptionKeys();
    menuCaptions_ = QStringList(menuKeys_.size(), QString());
    for (qsizetype index = 0; index < menuKeys_.size(); ++index)
        menuCaptions_[index] = lookup(menuKeys_[index]);
}

QString Language::GetMenuCaption(const QString& key) const
{
    const qsizetype index = menuKeys_.indexOf(key);
    if (index < 0 || index >= menuCaptions_.size())
        return QStringLiteral("");
    return menuCaptions_[index].isNull() ? QStringLiteral("") : menuCaptions_[index];
}

} // namespace vm
