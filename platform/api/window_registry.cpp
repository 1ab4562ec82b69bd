#include "platform/api/window_registry.h"

namespace vm {

namespace {
const QString requestIsIconic = QStringLiteral("isiconic");
const QString requestShowPrefix = QStringLiteral("show ");
const QString requestForeground = QStringLiteral("foreground");
const QString requestClass = QStringLiteral("class");
// The text travels as base64, so line breaks in it never end the request line.
const QString requestDataPrefix = QStringLiteral("data ");
} // namespace

WindowRegistry::~WindowRegistry()
{
    if (!desktop_)
        return;
    for (const Record& record : std::as_const(records_))
        if (record.published)
            desktop_->unpublish(record.publishedTitle);
}

WindowHandle WindowRegistry::create(const QString& className, const QString& text, WindowHandle parent,
                                    WindowPeer* peer)
{
    const WindowHandle handle = next_++;
    Record record;
    record.className = className;
    record.text = text;
    record.parent = parent;
    record.peer = peer;
    if (parent != 0)
        record.style = 0;
    records_.insert(handle, record);
    order_.append(handle);
    return handle;
}

void WindowRegistry::destroy(WindowHandle window)
{
    Record* record = find(window);
    if (!record)
        return;
    if (record->published && desktop_)
        desktop_->unpublish(record->publishedTitle);
    for (const WindowHandle child : children(window))
        destroy(child);
    records_.remove(window);
    order_.removeOne(window);
    if (foreground_ == window)
        foreground_ = 0;
}

void WindowRegistry::attachPeer(WindowHandle window, WindowPeer* peer)
{
    if (Record* record = find(window))
        record->peer = peer;
}

bool WindowRegistry::exists(WindowHandle window) const
{
    return find(window) != nullptr || remoteTitles_.contains(window);
}

void WindowRegistry::publish(WindowHandle window)
{
    Record* record = find(window);
    if (!record || !desktop_ || record->published)
        return;
    record->published = true;
    publishAs(window, *record);
}

void WindowRegistry::publishAs(WindowHandle window, Record& record)
{
    record.publishedTitle = record.text;
    desktop_->publish(record.text, [this, window](const QString& what) { return answerRemote(window, what); });
}

QString WindowRegistry::answerRemote(WindowHandle window, const QString& what)
{
    if (!find(window))
        return QString();
    if (what == requestIsIconic)
        return isIconic(window) ? QStringLiteral("1") : QStringLiteral("0");
    if (what.startsWith(requestShowPrefix)) {
        bool valid = false;
        const int command = what.mid(requestShowPrefix.size()).toInt(&valid);
        if (!valid)
            return QStringLiteral("unknown");
        showWindow(window, command);
        return QStringLiteral("ok");
    }
    if (what == requestClass) {
        // Never null: a null answer means "no such window".
        const QString name = className(window);
        return name.isNull() ? QString(QLatin1String("")) : name;
    }
    if (what == requestForeground) {
        setForeground(window);
        return QStringLiteral("ok");
    }
    if (what.startsWith(requestDataPrefix)) {
        const auto decoded = QByteArray::fromBase64Encoding(what.mid(requestDataPrefix.size()).toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return QStringLiteral("unknown");
        return sendData(window, QString::fromUtf8(*decoded)) ? QStringLiteral("ok") : QStringLiteral("refused");
    }
    return QStringLiteral("unknown");
}

WindowHandle WindowRegistry::findWindow(const QString& className, const QString& title) const
{
    for (const WindowHandle handle : order_) {
        const Record& record = records_[handle];
        if (record.parent != 0 || record.text != title)
            continue;
        if (className.isEmpty() || record.className.compare(className, Qt::CaseInsensitive) == 0)
            return handle;
    }
    // Another copy of the program on this desktop publishes its main window.
    const QString remoteClass = desktop_ ? desktop_->request(title, requestClass) : QString();
    if (!remoteClass.isNull()
        && (className.isEmpty() || remoteClass.compare(className, Qt::CaseInsensitive) == 0)) {
        for (auto it = remoteTitles_.cbegin(); it != remoteTitles_.cend(); ++it)
            if (it.value() == title)
                return it.key();
        const WindowHandle remote = nextRemote_++;
        remoteTitles_.insert(remote, title);
        return remote;
    }
    return 0;
}

WindowHandle WindowRegistry::findWindowEx(WindowHandle parent, WindowHandle after, const QString& className,
                                          const QString& caption) const
{
    bool passedAfter = after == 0;
    for (const WindowHandle handle : order_) {
        if (!passedAfter) {
            passedAfter = handle == after;
            continue;
        }
        const Record& record = records_[handle];
        if (record.parent != parent)
            continue;
        if (!className.isEmpty() && record.className.compare(className, Qt::CaseInsensitive) != 0)
            continue;
        if (!caption.isNull() && record.text != caption)
            continue;
        return handle;
    }
    return 0;
}

QList<WindowHandle> WindowRegistry::topLevelWindows() const
{
    return children(0);
}

QList<WindowHandle> WindowRegistry::children(WindowHandle parent) const
{
    QList<WindowHandle> result;
    for (const WindowHandle handle : order_)
        if (records_[handle].parent == parent)
            result.append(handle);
    return result;
}

QString WindowRegistry::className(WindowHandle window) const
{
    const Record* record = find(window);
    return record ? record->className : QString();
}

QString WindowRegistry::text(WindowHandle window) const
{
    if (isRemote(window))
        return remoteTitle(window);
    const Record* record = find(window);
    return record ? record->text : QString();
}

void WindowRegistry::setText(WindowHandle window, const QString& text)
{
    Record* record = find(window);
    if (!record)
        return;
    record->text = text;
    if (record->published && desktop_ && record->publishedTitle != text) {
        desktop_->unpublish(record->publishedTitle);
        publishAs(window, *record);
    }
    if (record->peer)
        record->peer->applyText(text);
}

void WindowRegistry::sendClose(WindowHandle window)
{
    if (Record* record = find(window); record && record->peer)
        record->peer->closeRequest();
}

void WindowRegistry::sendClick(WindowHandle window)
{
    if (Record* record = find(window); record && record->peer)
        record->peer->click();
}

bool WindowRegistry::sendData(WindowHandle window, const QString& data)
{
    if (isRemote(window))
        return desktop_
               && desktop_->request(remoteTitle(window), requestDataPrefix + QString::fromLatin1(data.toUtf8().toBase64()))
                      == QLatin1String("ok");
    const Record* record = find(window);
    if (!record || !record->dataHandler)
        return false;
    // A copy: the handler may change the registry.
    const auto handler = record->dataHandler;
    return handler(data);
}

void WindowRegistry::onData(WindowHandle window, std::function<bool(const QString&)> handler)
{
    if (Record* record = find(window))
        record->dataHandler = std::move(handler);
}

bool WindowRegistry::isIconic(WindowHandle window) const
{
    if (isRemote(window))
        return desktop_ && desktop_->request(remoteTitle(window), requestIsIconic) == QLatin1String("1");
    const Record* record = find(window);
    return record && record->iconic;
}

void WindowRegistry::showWindow(WindowHandle window, int command)
{
    if (isRemote(window)) {
        if (desktop_)
            desktop_->request(remoteTitle(window), requestShowPrefix + QString::number(command));
        return;
    }
    Record* record = find(window);
    if (!record)
        return;
    noteShown(window, command);
    if (record->peer)
        record->peer->applyShow(command);
}

void WindowRegistry::setForeground(WindowHandle window)
{
    if (isRemote(window)) {
        if (desktop_)
            desktop_->request(remoteTitle(window), requestForeground);
        return;
    }
    Record* record = find(window);
    if (!record)
        return;
    foreground_ = window;
    if (record->peer)
        record->peer->applyForeground();
}

bool WindowRegistry::isVisible(WindowHandle window) const
{
    const Record* record = find(window);
    return record && record->visible;
}

bool WindowRegistry::isEnabled(WindowHandle window) const
{
    const Record* record = find(window);
    return record && record->enabled;
}

void WindowRegistry::setEnabled(WindowHandle window, bool enabled)
{
    Record* record = find(window);
    if (!record)
        return;
    record->enabled = enabled;
    if (record->peer)
        record->peer->applyEnabled(enabled);
}

quint32 WindowRegistry::style(WindowHandle window) const
{
    const Record* record = find(window);
    return record ? record->style : 0;
}

void WindowRegistry::setStyle(WindowHandle window, quint32 style)
{
    Record* record = find(window);
    if (!record)
        return;
    record->style = style;
    if (record->peer)
        record->peer->applyStyle(style);
}

WindowRect WindowRegistry::rect(WindowHandle window) const
{
    const Record* record = find(window);
    return record ? record->rect : WindowRect{};
}

void WindowRegistry::setWindowPos(WindowHandle window, const WindowRect& rect, quint32 flags)
{
    Q_UNUSED(flags);
    Record* record = find(window);
    if (!record)
        return;
    record->rect = rect;
    if (record->peer)
        record->peer->applyGeometry(rect);
}

void WindowRegistry::noteGeometry(WindowHandle window, const WindowRect& rect)
{
    if (Record* record = find(window))
        record->rect = rect;
}

void WindowRegistry::noteShown(WindowHandle window, int command)
{
    Record* record = find(window);
    if (!record)
        return;
    switch (command) {
    case show_command::Hide:
        record->visible = false;
        break;
    case show_command::Minimize:
        record->visible = true;
        record->iconic = true;
        break;
    default:
        record->visible = true;
        record->iconic = false;
        break;
    }
}

WindowRegistry::Record* WindowRegistry::find(WindowHandle window)
{
    auto it = records_.find(window);
    return it == records_.end() ? nullptr : &it.value();
}

const WindowRegistry::Record* WindowRegistry::find(WindowHandle window) const
{
    auto it = records_.constFind(window);
    return it == records_.cend() ? nullptr : &it.value();
}

QString WindowRegistry::remoteTitle(WindowHandle window) const
{
    return remoteTitles_.value(window);
}

} // namespace vm
