#include "desktop/MprisService.h"

#include <QDBusMessage>
#include <QUrl>
#include <algorithm>

#include "app/Application.h"
#include "main_window/frmMain.h"
#include "media/MMControl.h"
#include "media/MediaSource.h"
#include "media/RealAudioControl.h"
#include "media/VolumeScale.h"
#include "media/WindowsMediaControl.h"
#include "product/Product.h"
#include "remote/Player.h"
#include "remote/RealRControl.h"
#include "tools/CDPlayer.h"

namespace {

constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

frmMain& mainWindow(Application& app) { return app.forms().get<frmMain>(); }

}  // namespace

QString MprisRoot::identity() const { return product::kTitle; }

QStringList MprisRoot::supportedUriSchemes() const { return QStringList{QStringLiteral("file")} + media_source::allowedSchemes(); }

QStringList MprisRoot::supportedMimeTypes() const
{
    return {"audio/mpeg", "audio/x-wav", "audio/x-ms-wma", "video/mpeg", "video/x-msvideo", "video/x-ms-wmv",
            "application/vnd.rn-realmedia", "audio/x-pn-realaudio", "audio/vnd.rn-realaudio", "video/vnd.rn-realvideo"};
}

MprisPlayer::MprisPlayer(MprisService* service) : QDBusAbstractAdaptor(service), service_(service)
{
    connect(service, &MprisService::seeked, this, &MprisPlayer::Seeked);
}

MprisService::MprisService(Application& app, QDBusConnection bus, QObject* parent)
    : QObject(parent), app_(app), bus_(std::move(bus))
{
    new MprisRoot(this);
    new MprisPlayer(this);
    frmMain& main = mainWindow(app_);
    const auto changed = [this] { announceChanges(); };
    connect(main.screenAndAudio, &WindowsMediaControl::OpenStateChange, this, [this](int, int state) {
        if (state == WindowsMediaControl::OpenOpen) ++track_;
        announceChanges();
    });
    connect(main.screenAndAudio, &WindowsMediaControl::PlayStateChange, this, changed);
    connect(main.RealAudio1, &RealAudioControl::RealTwoTextEvent, this, [this] {
        ++track_;
        announceChanges();
    });
    connect(main.RealAudio1, &RealAudioControl::RealTwoNumberEvent, this, changed);
    connect(main.RealAudio1, &RealAudioControl::RealNoArgumentEvent, this, changed);
    registered_ = bus_.isConnected() && bus_.registerService(QString::fromLatin1(kServiceName)) &&
                  bus_.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportAdaptors);
}

MprisService::~MprisService()
{
    if (!registered_) return;
    bus_.unregisterObject(QString::fromLatin1(kObjectPath));
    bus_.unregisterService(QString::fromLatin1(kServiceName));
}

// The engine the remote-control menu items point at: the Real remote once a Real clip opened.
bool MprisService::realIsCurrent() const { return mainWindow(app_).mnuviewreal->isEnabled(); }

QDBusObjectPath MprisService::trackId() const
{
    return QDBusObjectPath(QStringLiteral("/io/github/zelsoft/ZelPlayerPlus/Track/%1").arg(track_));
}

QString MprisService::playbackStatus() const
{
    frmMain& main = mainWindow(app_);
    if (realIsCurrent()) {
        if (main.RealAudio1->GetCanPause()) return QStringLiteral("Playing");
        return main.RealAudio1->GetPosition() > 0 ? QStringLiteral("Paused") : QStringLiteral("Stopped");
    }
    switch (main.screenAndAudio->PlayState()) {
    case WindowsMediaControl::Playing: return QStringLiteral("Playing");
    case WindowsMediaControl::Paused: return QStringLiteral("Paused");
    default: return QStringLiteral("Stopped");
    }
}

QVariantMap MprisService::metadata() const
{
    frmMain& main = mainWindow(app_);
    QString title, artist, source;
    qlonglong lengthUs = 0;
    if (realIsCurrent()) {
        const RealAudioControl& real = *main.RealAudio1;
        title = real.GetTitle();
        artist = real.GetAuthor();
        source = real.GetSource();
        lengthUs = static_cast<qlonglong>(real.GetLength()) * 1000;
    } else {
        const WindowsMediaControl& wmp = *main.screenAndAudio;
        if (wmp.OpenState() != WindowsMediaControl::OpenOpen)
            return {{"mpris:trackid", QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack"))}};
        title = wmp.MediaInfoText(8);
        artist = wmp.MediaInfoText(9);
        source = wmp.FileName();
        lengthUs = static_cast<qlonglong>(wmp.Duration() * 1e6);
    }
    const bool address = media_source::isAddress(source);
    QVariantMap m{{"mpris:trackid", QVariant::fromValue(trackId())},
                  {"mpris:length", lengthUs},
                  {"xesam:url", address ? source : QUrl::fromLocalFile(source).toString()},
                  {"xesam:title", title.isEmpty() ? source.section(QLatin1Char('/'), -1) : title}};
    if (!artist.isEmpty()) m.insert(QStringLiteral("xesam:artist"), QStringList{artist});
    return m;
}

double MprisService::volume() const
{
    frmMain& main = mainWindow(app_);
    if (realIsCurrent()) return main.RealAudio1->GetVolume() / 100.0;
    return volume_scale::percentFromHundredthsDb(main.screenAndAudio->Volume()) / 100.0;
}

void MprisService::setVolume(double volume)
{
    const int percent = static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100));
    frmMain& main = mainWindow(app_);
    if (realIsCurrent()) main.RealAudio1->SetVolume(static_cast<short>(percent));
    else main.screenAndAudio->setVolume(volume_scale::hundredthsDbFromPercent(percent));
    announceChanges();
}

qlonglong MprisService::position() const
{
    frmMain& main = mainWindow(app_);
    if (realIsCurrent()) return static_cast<qlonglong>(main.RealAudio1->GetPosition()) * 1000;
    return static_cast<qlonglong>(main.screenAndAudio->CurrentPosition() * 1e6);
}

// Next and Previous step through the CD's tracks when the CD player has a disc.
bool MprisService::canGoNext() const
{
    if (!app_.forms().isLoaded<CDPlayer>()) return false;
    const MMControl& cd = *app_.forms().get<CDPlayer>().MMControl1;
    return cd.Tracks() > 0 && cd.Track() < cd.Tracks();
}

bool MprisService::canGoPrevious() const
{
    return app_.forms().isLoaded<CDPlayer>() && app_.forms().get<CDPlayer>().MMControl1->Track() > 1;
}

void MprisService::play()
{
    if (realIsCurrent()) app_.forms().get<RealRControl>().Command1_Click();
    else app_.forms().get<Player>().Un1_Click();
    announceChanges();
}

void MprisService::pause()
{
    if (realIsCurrent()) app_.forms().get<RealRControl>().Command9_Click();
    else app_.forms().get<Player>().Un2_Click();
    announceChanges();
}

void MprisService::playPause()
{
    if (playbackStatus() == QLatin1String("Playing")) pause();
    else play();
}

void MprisService::stop()
{
    if (realIsCurrent()) app_.forms().get<RealRControl>().Command3_Click();
    else app_.forms().get<Player>().Stop1_Click();
    announceChanges();
}

void MprisService::next()
{
    if (canGoNext()) app_.forms().get<CDPlayer>().MMControl1->setCommand(QStringLiteral("Next"));
}

void MprisService::previous()
{
    if (canGoPrevious()) app_.forms().get<CDPlayer>().MMControl1->setCommand(QStringLiteral("Prev"));
}

void MprisService::seek(qlonglong offset)
{
    frmMain& main = mainWindow(app_);
    if (realIsCurrent()) {
        RealAudioControl& real = *main.RealAudio1;
        real.SetPosition(std::clamp<long>(real.GetPosition() + static_cast<long>(offset / 1000), 0, real.GetLength()));
    } else {
        WindowsMediaControl& wmp = *main.screenAndAudio;
        wmp.setCurrentPosition(std::clamp(wmp.CurrentPosition() + offset / 1e6, 0.0, wmp.Duration()));
    }
    emit seeked(position());
}

void MprisService::setPosition(const QDBusObjectPath& track, qlonglong position)
{
    // A position for another track, or outside the clip, is ignored.
    if (track != trackId() || position < 0 || position > metadata().value(QStringLiteral("mpris:length")).toLongLong()) return;
    seek(position - this->position());
}

void MprisService::raise()
{
    frmMain& main = mainWindow(app_);
    main.Show();
    main.activateWindow();
}

void MprisService::quit() { app_.endProgram(); }

void MprisService::announceChanges()
{
    if (!registered_) return;
    const QVariantMap now{{"PlaybackStatus", playbackStatus()},
                          {"Metadata", metadata()},
                          {"Volume", volume()},
                          {"CanGoNext", canGoNext()},
                          {"CanGoPrevious", canGoPrevious()}};
    QVariantMap changed;
    for (auto it = now.begin(); it != now.end(); ++it)
        if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    announced_ = now;
    if (changed.isEmpty()) return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    bus_.send(signal);
}
