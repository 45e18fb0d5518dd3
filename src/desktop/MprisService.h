#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QVariantMap>
#include <functional>
#include <vector>

class Application;

// The player on the desktop's session bus as org.mpris.MediaPlayer2.zelplayer, so that media
// keys, the desktop's sound menu and playerctl steer it. It follows the engine that is current
// (the one the remote-control menu items point at) and acts through the remote controls'
// own handlers, so the windows read as they would after a remote button.
//
// Every message for the player's object comes in through handleMessage, and every request
// enters the windows through the program's one entry point for handlers: a failed call comes
// back to the caller as a D-Bus error reply and never reaches the event loop. As MPRIS asks,
// Play and PlayPause with nothing to play do nothing.
class MprisService : public QDBusVirtualObject {
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.zelplayer";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

    // Registers on the bus; on a bus that cannot be reached it stays silent. Unregisters when
    // destroyed (it lives as long as the main window).
    MprisService(Application& app, QDBusConnection bus, QObject* parent);
    ~MprisService() override;
    bool isRegistered() const { return registered_; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    struct Method {
        const char* interface;
        const char* name;
        const char* signature;      // of the arguments
        const char* argumentNames;  // separated by blanks
        std::function<void(const QVariantList&)> run;
    };
    struct Property {
        const char* interface;
        const char* name;
        const char* type;  // its D-Bus signature
        std::function<QVariant()> read;
        // Writes a value of the right type; returns why it is refused, empty when taken. Null
        // for a read-only property.
        std::function<QString(const QVariant&)> write;
    };
    void buildTables();
    QDBusMessage callMethod(const QDBusMessage& message);
    QDBusMessage callProperties(const QDBusMessage& message);
    // Runs a request's body through the entry point; a failure becomes the error reply.
    QDBusMessage perform(const QDBusMessage& message, const std::function<void()>& body);

    // What the Player interface reports, read from the current engine.
    bool realIsCurrent() const;
    QString playbackStatus() const;
    QVariantMap metadata() const;
    double volume() const;
    qlonglong position() const;  // microseconds
    bool canGoNext() const;
    bool canGoPrevious() const;
    QDBusObjectPath trackId() const;

    // Requests.
    void seek(qlonglong offset);
    void setPosition(const QDBusObjectPath& track, qlonglong position);
    void openUri(const QString& uri);
    QString setVolume(const QVariant& value);
    QString setRate(const QVariant& value);

    // Sends PropertiesChanged for the Player properties that changed since the last look.
    void announceChanges();

    Application& app_;
    QDBusConnection bus_;
    bool registered_ = false;
    int track_ = 0;  // counts opens, for the track id
    QVariantMap announced_;
    std::vector<Method> methods_;
    std::vector<Property> properties_;
};
