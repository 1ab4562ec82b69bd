#include "platform/linux/local_desktop_channel.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>

#include <unistd.h>

namespace vm {

namespace {

constexpr int connectTimeoutMs = 500;
constexpr int answerTimeoutMs = 1000;
// A Unix socket path holds 107 bytes; stay well inside.
constexpr int longestSocketPath = 100;
constexpr int longestPlainDesktopName = 16;

// Channels of this process by endpoint: a request to our own title must not
// wait on a socket that only our own (blocked) event loop could answer.
QHash<QString, LocalDesktopChannel*>& inProcessEndpoints()
{
    static QHash<QString, LocalDesktopChannel*> endpoints;
    return endpoints;
}

QString sha1Hex(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

// Desktop names come from scripts: keep them file-name safe and short. Hashed
// names carry a '~' so they never equal a plain one.
QString safeDesktopName(const QString& name)
{
    bool plain = !name.isEmpty() && name.size() <= longestPlainDesktopName;
    for (const QChar c : name)
        plain = plain && c.unicode() < 128 && (c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'-');
    return plain ? name : QLatin1Char('~') + sha1Hex(name).left(16);
}

QString endpointFolder()
{
    // The runtime folder is private to the user and meant for sockets.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return runtime;
    return QDir::tempPath();
}

// One line on the wire: embedded line breaks would split it.
QByteArray toLine(const QString& text)
{
    QString flat = text;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return flat.toUtf8() + '\n';
}

// A line without its break was cut at the length limit: the caller drops it.
QString fromLine(QByteArray line)
{
    if (!line.endsWith('\n'))
        return QString();
    line.chop(1);
    QString text = QString::fromUtf8(line);
    return text.isNull() ? QString(QLatin1String("")) : text; // an empty answer is still an answer
}

bool somebodyListens(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(connectTimeoutMs);
}

} // namespace

LocalDesktopChannel::LocalDesktopChannel(QString desktopName) : desktopName_(std::move(desktopName))
{
    if (desktopName_.isEmpty())
        desktopName_ = QStringLiteral("default");
}

LocalDesktopChannel::~LocalDesktopChannel()
{
    *alive_ = false;
    while (!publications_.empty())
        unpublish(publications_.begin()->first);
}

QString LocalDesktopChannel::endpointName(const QString& title) const
{
    const QString file = QStringLiteral("vantamorph-%1-%2-%3")
                             .arg(QString::number(::getuid()), safeDesktopName(desktopName_), sha1Hex(title));
    QString folder = endpointFolder();
    if (folder.size() + 1 + file.size() > longestSocketPath)
        folder = QStringLiteral("/tmp");
    return folder + QLatin1Char('/') + file;
}

bool LocalDesktopChannel::isPublished(const QString& title) const
{
    return publications_.count(title) != 0;
}

void LocalDesktopChannel::publish(const QString& title, std::function<QString(const QString&)> onRequest)
{
    if (auto it = publications_.find(title); it != publications_.end()) {
        it->second.onRequest = std::move(onRequest);
        return;
    }
    const QString name = endpointName(title);
    if (inProcessEndpoints().contains(name))
        return; // another channel of this process already answers for it

    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!listenTaking(*server, name))
        return; // a live copy holds the title

    QLocalServer* raw = server.get();
    QObject::connect(raw, &QLocalServer::newConnection, raw, [this, title, raw] { accept(title, raw); });
    publications_[title] = Publication{name, std::move(server), std::move(onRequest)};
    inProcessEndpoints().insert(name, this);
}

// Takes the name over unless a live server answers on it. A crashed copy
// leaves its socket file behind, which would make listen() fail.
bool LocalDesktopChannel::listenTaking(QLocalServer& server, const QString& name) const
{
    QLockFile lock(name + QStringLiteral(".lock"));
    lock.setStaleLockTime(2000);
    if (!lock.tryLock(connectTimeoutMs))
        return false;
    if (somebodyListens(name))
        return false;
    QLocalServer::removeServer(name);
    return server.listen(name);
}

void LocalDesktopChannel::unpublish(const QString& title)
{
    auto it = publications_.find(title);
    if (it == publications_.end())
        return;
    std::unique_ptr<QLocalServer> server = std::move(it->second.server);
    const QString name = it->second.endpoint;
    publications_.erase(it);
    if (inProcessEndpoints().value(name) == this)
        inProcessEndpoints().remove(name);
    release(std::move(server));
}

void LocalDesktopChannel::release(std::unique_ptr<QLocalServer> server)
{
    if (!server)
        return;
    server->close(); // removes the socket file at once
    // A handler may be unpublishing from inside one of this server's sockets:
    // silence them and let the event loop delete them later.
    if (handling_ > 0) {
        for (QLocalSocket* socket : server->findChildren<QLocalSocket*>())
            socket->disconnect();
        server.release()->deleteLater();
    }
}

void LocalDesktopChannel::accept(const QString& title, QLocalServer* server)
{
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, title, server, socket] { answer(title, server, socket); });
        if (socket->bytesAvailable() > 0)
            answer(title, server, socket);
    }
}

void LocalDesktopChannel::answer(const QString& title, QLocalServer* server, QLocalSocket* socket)
{
    QPointer<QLocalSocket> guard(socket);
    const std::shared_ptr<bool> alive = alive_;
    while (guard && guard->canReadLine()) {
        const QString what = fromLine(guard->readLine(maximumLineLength + 1));
        if (what.isNull()) {
            guard->abort();
            return;
        }
        auto it = publications_.find(title);
        if (it == publications_.end() || it->second.server.get() != server || !it->second.onRequest)
            return;
        const auto onRequest = it->second.onRequest; // the handler may unpublish itself
        ++handling_;
        QString reply;
        try {
            reply = onRequest(what);
        } catch (...) {
            reply = QString();
        }
        if (!*alive) // the handler destroyed this channel
            return;
        --handling_;
        if (!guard)
            return;
        if (reply.isNull()) { // no such window after all
            guard->disconnectFromServer();
            return;
        }
        guard->write(toLine(reply));
        guard->flush();
    }
    if (guard && guard->bytesAvailable() > maximumLineLength)
        guard->abort();
}

QString LocalDesktopChannel::request(const QString& title, const QString& what)
{
    const QString name = endpointName(title);
    if (LocalDesktopChannel* owner = inProcessEndpoints().value(name)) {
        auto it = owner->publications_.find(title);
        if (it == owner->publications_.end() || !it->second.onRequest)
            return QString();
        const auto onRequest = it->second.onRequest;
        try {
            return onRequest(what);
        } catch (...) {
            return QString();
        }
    }

    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(connectTimeoutMs))
        return QString();
    socket.write(toLine(what));
    socket.flush();
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > maximumLineLength || deadline.hasExpired())
            return QString();
        if (!socket.waitForReadyRead(int(deadline.remainingTime())) && !socket.canReadLine())
            return QString();
    }
    return fromLine(socket.readLine(maximumLineLength + 1));
}

} // namespace vm
