#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class Application;

// The player on the desktop's session bus as org.mpris.MediaPlayer2.zelplayer, so that media
// keys, the desktop's sound menu and playerctl steer it. It follows the engine that is current
// (the one the remote-control menu items point at) and acts through the remote controls'
// own handlers, so the windows read as they would after a remote button.
class MprisService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.zelplayer";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

    // Registers on the bus; on a bus that cannot be reached it stays silent. Unregisters when
    // destroyed (it lives as long as the main window).
    MprisService(Application& app, QDBusConnection bus, QObject* parent);
    ~MprisService() override;
    bool isRegistered() const { return registered_; }

    // What the Player interface reports, read from the current engine.
    QString playbackStatus() const;
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;  // microseconds
    bool canGoNext() const;
    bool canGoPrevious() const;

    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    void seek(qlonglong offset);
    void setPosition(const QDBusObjectPath& track, qlonglong position);
    void raise();
    void quit();

signals:
    void seeked(qlonglong position);

private:
    bool realIsCurrent() const;
    QDBusObjectPath trackId() const;
    // Sends PropertiesChanged for the Player properties that changed since the last look.
    void announceChanges();

    Application& app_;
    QDBusConnection bus_;
    bool registered_ = false;
    int track_ = 0;  // counts opens, for the track id
    QVariantMap announced_;
};

// org.mpris.MediaPlayer2
class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    explicit MprisRoot(MprisService* service) : QDBusAbstractAdaptor(service), service_(service) {}
    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const;
    QString desktopEntry() const { return QStringLiteral("zelplayer"); }
    QStringList supportedUriSchemes() const;
    QStringList supportedMimeTypes() const;

public slots:
    void Raise() { service_->raise(); }
    void Quit() { service_->quit(); }

private:
    MprisService* service_;
};

// org.mpris.MediaPlayer2.Player
class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanSeek READ yes)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit MprisPlayer(MprisService* service);
    QString playbackStatus() const { return service_->playbackStatus(); }
    double rate() const { return 1.0; }
    void setRate(double) {}  // one speed only
    QVariantMap metadata() const { return service_->metadata(); }
    double volume() const { return service_->volume(); }
    void setVolume(double v) { service_->setVolume(v); }
    qlonglong position() const { return service_->position(); }
    bool canGoNext() const { return service_->canGoNext(); }
    bool canGoPrevious() const { return service_->canGoPrevious(); }
    bool yes() const { return true; }

public slots:
    void Next() { service_->next(); }
    void Previous() { service_->previous(); }
    void Pause() { service_->pause(); }
    void PlayPause() { service_->playPause(); }
    void Stop() { service_->stop(); }
    void Play() { service_->play(); }
    void Seek(qlonglong offset) { service_->seek(offset); }
    void SetPosition(const QDBusObjectPath& track, qlonglong position) { service_->setPosition(track, position); }
    void OpenUri(const QString&) {}  // opening is the open commands' business

signals:
    void Seeked(qlonglong position);

private:
    MprisService* service_;
};
