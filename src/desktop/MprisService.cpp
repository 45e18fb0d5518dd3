#include "desktop/MprisService.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>

#include "windows/Application.h"
#include "main_window/CurrentEngine.h"
#include "main_window/frmMain.h"
#include "media/MMControl.h"
#include "media/MediaError.h"
#include "media/MediaSource.h"
#include "media/RealAudioControl.h"
#include "media/VolumeScale.h"
#include "media/WindowsMediaControl.h"
#include "platform/FileNames.h"
#include "product/Product.h"
#include "tools/CDPlayer.h"

namespace {

constexpr const char* kRootInterface = "org.mpris.MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";

frmMain& mainWindow(Application& app) { return app.forms().get<frmMain>(); }

// The speeds the picture's menu offers run from half to twice the clip's own.
constexpr double kMinimumRate = 0.5, kMaximumRate = 2.0;

// A D-Bus double from low to high, both included (a NaN is in no range).
bool isNumberIn(const QVariant& value, double low, double high)
{
    const double v = value.toDouble();
    return value.metaType().id() == QMetaType::Double && v >= low && v <= high;
}

// A file's address with the file system's own bytes, every one that is not plain text encoded
// (a blank as %20).
QString fileUrl(const QString& path)
{
    return QStringLiteral("file://") + QString::fromLatin1(platform::encodeFileName(path).toPercentEncoding("/"));
}

// The one signal the player sends: its position after a jump.
constexpr struct {
    const char* interface;
    const char* name;
    const char* signature;
    const char* argumentNames;
} kSignals[] = {{kPlayerInterface, "Seeked", "x", "Position"}};

// A method's or signal's arguments as introspection lists them: one element each, of a type of
// one letter.
QString argumentsXml(const char* signature, const char* names, const char* direction)
{
    const QStringList named = QString::fromLatin1(names).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString xml;
    for (qsizetype i = 0; signature[i] != '\0'; ++i)
        xml += QStringLiteral("<arg name=\"%1\" type=\"%2\"%3/>")
                   .arg(named.value(i), QChar::fromLatin1(signature[i]),
                        direction ? QStringLiteral(" direction=\"%1\"").arg(QLatin1String(direction)) : QString());
    return xml;
}

QString element(const char* kind, const char* name, const QString& arguments)
{
    return arguments.isEmpty() ? QStringLiteral("    <%1 name=\"%2\"/>\n").arg(QLatin1String(kind), QLatin1String(name))
                               : QStringLiteral("    <%1 name=\"%2\">%3</%1>\n").arg(QLatin1String(kind), QLatin1String(name), arguments);
}

}  // namespace

MprisService::MprisService(Application& app, QDBusConnection bus, QObject* parent)
    : QDBusVirtualObject(parent), app_(app), bus_(std::move(bus))
{
    buildTables();
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
                  bus_.registerVirtualObject(QString::fromLatin1(kObjectPath), this);
}

MprisService::~MprisService()
{
    if (!registered_) return;
    bus_.unregisterObject(QString::fromLatin1(kObjectPath));
    bus_.unregisterService(QString::fromLatin1(kServiceName));
}

void MprisService::buildTables()
{
    const auto action = [](std::function<void()> f) { return [f = std::move(f)](const QVariantList&) { f(); }; };
    methods_ = {
        {kRootInterface, "Raise", "", "", action([this] {
             frmMain& main = mainWindow(app_);
             main.Show();
             main.activateWindow();
         })},
        {kRootInterface, "Quit", "", "", action([this] { app_.endProgram(); })},
        // As MPRIS asks, Play and PlayPause with nothing to play do nothing.
        {kPlayerInterface, "Play", "", "", action([this] { CurrentEngine(app_).play(); })},
        {kPlayerInterface, "Pause", "", "", action([this] { CurrentEngine(app_).pause(); })},
        {kPlayerInterface, "PlayPause", "", "", action([this] { CurrentEngine(app_).playPause(); })},
        {kPlayerInterface, "Stop", "", "", action([this] { CurrentEngine(app_).stop(); })},
        {kPlayerInterface, "Next", "", "", action([this] {
             if (canGoNext()) app_.forms().get<CDPlayer>().MMControl1->setCommand(QStringLiteral("Next"));
         })},
        {kPlayerInterface, "Previous", "", "", action([this] {
             if (canGoPrevious()) app_.forms().get<CDPlayer>().MMControl1->setCommand(QStringLiteral("Prev"));
         })},
        {kPlayerInterface, "Seek", "x", "Offset", [this](const QVariantList& a) { seek(a.at(0).toLongLong()); }},
        {kPlayerInterface, "SetPosition", "ox", "TrackId Position",
         [this](const QVariantList& a) { setPosition(a.at(0).value<QDBusObjectPath>(), a.at(1).toLongLong()); }},
        {kPlayerInterface, "OpenUri", "s", "Uri", [this](const QVariantList& a) { openUri(a.at(0).toString()); }},
    };
    const auto constant = [](QVariant v) { return [v = std::move(v)] { return v; }; };
    properties_ = {
        {kRootInterface, "CanQuit", "b", constant(true), {}},
        {kRootInterface, "CanRaise", "b", constant(true), {}},
        {kRootInterface, "HasTrackList", "b", constant(false), {}},
        {kRootInterface, "Identity", "s", constant(QVariant(product::kTitle)), {}},
        {kRootInterface, "DesktopEntry", "s", constant(QStringLiteral("zelplayer")), {}},
        {kRootInterface, "SupportedUriSchemes", "as", constant(QStringList{QStringLiteral("file")} + media_source::allowedSchemes()), {}},
        {kRootInterface, "SupportedMimeTypes", "as", constant(product::kMimeTypes), {}},
        {kPlayerInterface, "PlaybackStatus", "s", [this] { return QVariant(playbackStatus()); }, {}},
        // The Windows-media engine's speed; the Real engine plays at its own speed only.
        {kPlayerInterface, "Rate", "d", [this] { return QVariant(realIsCurrent() ? 1.0 : mainWindow(app_).screenAndAudio->speed()); },
         [this](const QVariant& v) { return setRate(v); }},
        {kPlayerInterface, "Metadata", "a{sv}", [this] { return QVariant(metadata()); }, {}},
        {kPlayerInterface, "Volume", "d", [this] { return QVariant(volume()); }, [this](const QVariant& v) { return setVolume(v); }},
        {kPlayerInterface, "Position", "x", [this] { return QVariant(position()); }, {}},
        {kPlayerInterface, "MinimumRate", "d", constant(kMinimumRate), {}},
        {kPlayerInterface, "MaximumRate", "d", constant(kMaximumRate), {}},
        {kPlayerInterface, "CanGoNext", "b", [this] { return QVariant(canGoNext()); }, {}},
        {kPlayerInterface, "CanGoPrevious", "b", [this] { return QVariant(canGoPrevious()); }, {}},
        {kPlayerInterface, "CanPlay", "b", constant(true), {}},
        {kPlayerInterface, "CanPause", "b", constant(true), {}},
        {kPlayerInterface, "CanSeek", "b", constant(true), {}},
        {kPlayerInterface, "CanControl", "b", constant(true), {}},
    };
}

QString MprisService::introspect(const QString&) const
{
    // Made from the tables the calls are answered from, so it names what is answered.
    QString xml;
    for (const char* interface : {kRootInterface, kPlayerInterface}) {
        xml += QStringLiteral("  <interface name=\"%1\">\n").arg(QLatin1String(interface));
        for (const Method& m : methods_)
            if (qstrcmp(m.interface, interface) == 0) xml += element("method", m.name, argumentsXml(m.signature, m.argumentNames, "in"));
        for (const auto& signal : kSignals)
            if (qstrcmp(signal.interface, interface) == 0)
                xml += element("signal", signal.name, argumentsXml(signal.signature, signal.argumentNames, nullptr));
        for (const Property& p : properties_)
            xml += qstrcmp(p.interface, interface) != 0 ? QString()
                   : QStringLiteral("    <property name=\"%1\" type=\"%2\" access=\"%3\"/>\n")
                         .arg(QLatin1String(p.name), QLatin1String(p.type), p.write ? QStringLiteral("readwrite") : QStringLiteral("read"));
        xml += QStringLiteral("  </interface>\n");
    }
    return xml;
}

bool MprisService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    QDBusMessage reply;
    if (message.interface() == QLatin1String(kPropertiesInterface)) reply = callProperties(message);
    else if (message.interface().isEmpty() || message.interface() == QLatin1String(kRootInterface) ||
             message.interface() == QLatin1String(kPlayerInterface))
        reply = callMethod(message);
    else return false;  // introspection and the peer interface: Qt's own
    if (message.isReplyRequired()) connection.send(reply);
    return true;
}

QDBusMessage MprisService::callMethod(const QDBusMessage& message)
{
    for (const Method& m : methods_) {
        if (message.member() != QLatin1String(m.name)) continue;
        if (!message.interface().isEmpty() && message.interface() != QLatin1String(m.interface)) continue;
        if (message.signature() != QLatin1String(m.signature))
            return message.createErrorReply(QDBusError::InvalidArgs,
                                            tr("%1 takes the arguments \"%2\".").arg(QLatin1String(m.name), QLatin1String(m.signature)));
        const QVariantList args = message.arguments();
        return perform(message, [&m, &args] { m.run(args); });
    }
    return message.createErrorReply(QDBusError::UnknownMethod, tr("There is no method %1.").arg(message.member()));
}

QDBusMessage MprisService::callProperties(const QDBusMessage& message)
{
    const QVariantList args = message.arguments();
    const QString interface = args.value(0).toString();
    const QString name = args.value(1).toString();
    const auto find = [&]() -> const Property* {
        for (const Property& p : properties_)
            if (interface == QLatin1String(p.interface) && name == QLatin1String(p.name)) return &p;
        return nullptr;
    };
    const auto unknown = [&] { return message.createErrorReply(QDBusError::UnknownProperty, tr("There is no property %1.").arg(name)); };
    const QString member = message.member();
    if (member == QLatin1String("GetAll") && message.signature() == QLatin1String("s")) {
        QVariantMap all;
        for (const Property& p : properties_)
            if (interface == QLatin1String(p.interface)) all.insert(QString::fromLatin1(p.name), p.read());
        if (all.isEmpty()) return message.createErrorReply(QDBusError::UnknownInterface, tr("There is no interface %1.").arg(interface));
        return message.createReply(QVariant::fromValue(all));
    }
    if (member == QLatin1String("Get") && message.signature() == QLatin1String("ss")) {
        const Property* p = find();
        if (!p) return unknown();
        return message.createReply(QVariant::fromValue(QDBusVariant(p->read())));
    }
    if (member == QLatin1String("Set") && message.signature() == QLatin1String("ssv")) {
        const Property* p = find();
        if (!p) return unknown();
        if (!p->write) return message.createErrorReply(QDBusError::PropertyReadOnly, tr("%1 is read-only.").arg(QLatin1String(p->name)));
        const QVariant value = args.at(2).value<QDBusVariant>().variant();
        QString refusal;
        QDBusMessage reply = perform(message, [&] { refusal = p->write(value); });
        return refusal.isEmpty() ? reply : message.createErrorReply(QDBusError::InvalidArgs, refusal);
    }
    return message.createErrorReply(QDBusError::UnknownMethod, tr("There is no method %1.").arg(member));
}

QDBusMessage MprisService::perform(const QDBusMessage& message, const std::function<void()>& body)
{
    QDBusMessage reply = message.createReply();
    app_.enterFromOutside(body, [&](const QString& reason) { reply = message.createErrorReply(QDBusError::Failed, reason); });
    if (app_.forms().isLoaded<frmMain>()) announceChanges();  // not once Quit has ended the program
    return reply;
}

// The engine the remote-control menu items point at: the Real remote once a Real clip opened.
bool MprisService::realIsCurrent() const { return CurrentEngine(app_).isReal(); }

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
                  {"xesam:url", address ? QUrl(source).toString(QUrl::FullyEncoded) : fileUrl(source)},
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

void MprisService::seek(qlonglong offset)
{
    CurrentEngine engine(app_);
    engine.seekTo(engine.position() + offset / 1e6);
    QDBusMessage seeked = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath), QString::fromLatin1(kPlayerInterface),
                                                     QStringLiteral("Seeked"));
    seeked << position();
    if (registered_) bus_.send(seeked);
}

void MprisService::setPosition(const QDBusObjectPath& track, qlonglong position)
{
    // A position for another track, or outside the clip, is ignored.
    if (track != trackId() || position < 0 || position > metadata().value(QStringLiteral("mpris:length")).toLongLong()) return;
    seek(position - this->position());
}

void MprisService::openUri(const QString& uri)
{
    // A name that cannot be played is the caller's error; one that can opens as a file from the
    // file manager does.
    if (const media_source::Checked c = media_source::check(uri); !c.ok) throw MediaError(media_source::cannotPlay(uri, c.problem).toStdString());
    mainWindow(app_).openFromOutside({uri});
}

QString MprisService::setRate(const QVariant& value)
{
    if (realIsCurrent()) return isNumberIn(value, 1, 1) ? QString() : tr("The Real engine plays at its own speed only (a rate of 1).");
    if (!isNumberIn(value, kMinimumRate, kMaximumRate)) return tr("The rate must be a number from %1 to %2.").arg(kMinimumRate).arg(kMaximumRate);
    mainWindow(app_).screenAndAudio->setSpeed(value.toDouble());
    announceChanges();
    return {};
}

QString MprisService::setVolume(const QVariant& value)
{
    // A sound menu sends 0.0 to 1.0; more is taken as the loudest.
    if (!isNumberIn(value, 0, std::numeric_limits<double>::max())) return tr("The volume must be a number from 0 to 1.");
    const double v = value.toDouble();
    const int percent = static_cast<int>(std::lround(std::min(v, 1.0) * 100));
    frmMain& main = mainWindow(app_);
    if (realIsCurrent()) main.RealAudio1->SetVolume(static_cast<short>(percent));
    else main.screenAndAudio->setVolume(volume_scale::hundredthsDbFromPercent(percent));
    return {};
}

void MprisService::announceChanges()
{
    if (!registered_) return;
    const QVariantMap now{{"PlaybackStatus", playbackStatus()},
                          {"Metadata", metadata()},
                          {"Volume", volume()},
                          {"Rate", realIsCurrent() ? 1.0 : mainWindow(app_).screenAndAudio->speed()},
                          {"CanGoNext", canGoNext()},
                          {"CanGoPrevious", canGoPrevious()}};
    QVariantMap changed;
    for (auto it = now.begin(); it != now.end(); ++it)
        if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    announced_ = now;
    if (changed.isEmpty()) return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath), QString::fromLatin1(kPropertiesInterface),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    bus_.send(signal);
}
