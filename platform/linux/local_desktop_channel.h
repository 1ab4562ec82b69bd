#pragma once

#include "platform/api/window_registry.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

class QLocalServer;
class QLocalSocket;

namespace vm {

// Finds the main window of another copy of the program by its exact title.
// Each published title is a local socket of this user and desktop; a request
// is one line out and one line back.
class LocalDesktopChannel : public DesktopChannel {
public:
    // Scripted sessions pass a desktop of their own so they never meet a real copy.
    explicit LocalDesktopChannel(QString desktopName = QStringLiteral("default"));
    ~LocalDesktopChannel() override;
    LocalDesktopChannel(const LocalDesktopChannel&) = delete;
    LocalDesktopChannel& operator=(const LocalDesktopChannel&) = delete;

    void publish(const QString& title, std::function<QString(const QString&)> onRequest) override;
    void unpublish(const QString& title) override;
    QString request(const QString& title, const QString& what) override;

    // True when this channel answers for title (publishing fails while a live copy holds it).
    bool isPublished(const QString& title) const;
    // The socket's full path for title on this desktop.
    QString endpointName(const QString& title) const;

    // Longest line either side accepts; longer input drops the connection.
    static constexpr qint64 maximumLineLength = 64 * 1024;

private:
    struct Publication {
        QString endpoint;
        std::unique_ptr<QLocalServer> server;
        std::function<QString(const QString&)> onRequest;
    };

    bool listenTaking(QLocalServer& server, const QString& name) const;
    void accept(const QString& title, QLocalServer* server);
    void answer(const QString& title, QLocalServer* server, QLocalSocket* socket);
    void release(std::unique_ptr<QLocalServer> server);

    QString desktopName_;
    std::map<QString, Publication> publications_;
    int handling_ = 0; // requests being answered right now
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace vm
