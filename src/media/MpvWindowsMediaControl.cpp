#include "media/MpvWindowsMediaControl.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <utility>

#include "product/Product.h"
#include "media/Discs.h"
#include "media/ListFile.h"
#include "media/MediaError.h"
#include "media/MediaSource.h"
#include "media/MediaTime.h"
#include "media/ResumePositions.h"
#include "media/TransportBar.h"
#include "media/VideoView.h"
#include "media/VolumeScale.h"
#include "platform/DataFiles.h"
#include "platform/FileNames.h"

using volume_scale::hundredthsDbFromPercent;
using volume_scale::percentFromHundredthsDb;
using media_time::toMilliseconds;

namespace {

// Observed properties and replies. Replies to the gets made when a file is loaded carry the
// open's generation in their upper bits, so answers for an earlier file are recognised.
enum : uint64_t {
    kObsTimePos = 1,
    kObsEofReached,
    kObsDuration,
    kObsDisplayWidth,
    kObsDisplayHeight,
    kObsBuffering,
    kObsTrackList,
    kObsSubtitleText,
    kObsSubtitleTrack,
    kReplyDuration = 16,
    kReplyTracks,
    kReplyTags,
    kReplyFileSize,
    kReplyStreamPos,
    kReplySeek,
    kReplyLoad,
    kReplyEntryName,
    kReplyEntryRefused,
    kHookLoad,
};
constexpr uint64_t kKindMask = 0xFF;
constexpr int kGenerationShift = 8;
constexpr qint64 kBytesPerPacket = 1024;


// What a refused list entry is opened as instead: a source no engine reads, so it fails at once.
const QByteArray kRefusedSource = "zelplayer-refused://";

}  // namespace

MpvWindowsMediaControl::MpvWindowsMediaControl(const MpvOptions& options, QWidget* parent)
    : WindowsMediaControl(parent),
      session_(options, *this),
      view_(new VideoView(session_, this)),
      bar_(new TransportBar(this))
{
    session_.observe("time-pos", MPV_FORMAT_DOUBLE, kObsTimePos);
    session_.observe("eof-reached", MPV_FORMAT_FLAG, kObsEofReached);
    session_.observe("duration", MPV_FORMAT_DOUBLE, kObsDuration);
    session_.observe("dwidth", MPV_FORMAT_INT64, kObsDisplayWidth);
    session_.observe("dheight", MPV_FORMAT_INT64, kObsDisplayHeight);
    session_.observe("cache-buffering-state", MPV_FORMAT_INT64, kObsBuffering);
    session_.observe("track-list", MPV_FORMAT_NODE, kObsTrackList);
    session_.observe("sub-text", MPV_FORMAT_STRING, kObsSubtitleText);
    session_.observe("sid", MPV_FORMAT_STRING, kObsSubtitleTrack);
    // Subtitle files are looked for by the program, which checks them first.
    session_.setString("sub-auto", "no");
    // Positions are kept by the engine (the position alone) and read back by the program.
    positions_ = resume_positions::folder();
    session_.setFlag("resume-playback", false);
    if (!positions_.isEmpty()) {
        session_.setString("watch-later-directory", platform::encodeFileName(positions_));
        session_.setString("watch-later-options", "start");
    }
    session_.addHook("on_load", kHookLoad);
    openDeadline_.setSingleShot(true);
    openDeadline_.setInterval(options.openDeadlineSeconds * 1000);
    connect(&openDeadline_, &QTimer::timeout, this, [this, seconds = options.openDeadlineSeconds] {
        if (openState_ == OpenOpening) fail(media_source::noAnswer(tracker_.tryingAddress(), seconds));
    });

    connect(view_, &VideoView::mouseMoved, this, &WindowsMediaControl::MouseMove);
    connect(view_, &VideoView::mousePressed, this, &WindowsMediaControl::MouseDown);
    connect(view_, &VideoView::doubleClicked, this, [this] {
        if (displaySize_ == SizeFullScreen) leaveFullScreenToPreviousSize();
        else if (allowSizeChange_ && !picture_.isEmpty()) setDisplaySize(SizeFullScreen);
    });
    connect(view_, &VideoView::contextMenuWanted, this, &MpvWindowsMediaControl::showPictureMenu);
    connect(bar_, &TransportBar::playPauseClicked, this, [this] {
        if (playState_ == Playing) Pause();
        else if (openState_ != OpenClosed) Play();
    });
    connect(bar_, &TransportBar::stopClicked, this, [this] { Stop(); });
    connect(bar_, &TransportBar::seekRequested, this, [this](double s) { setCurrentPosition(s); });
    connect(bar_, &TransportBar::volumeRequested, this, [this](int p) { setVolume(hundredthsDbFromPercent(p)); });
    bar_->setStatusVisible(showStatusBar_);
    updateBar();
}

MpvWindowsMediaControl::~MpvWindowsMediaControl()
{
    keepPosition();
    // In full screen the picture (and the bar) lie in the full-screen window: they go with it.
    // Moved back first, they would join a window that may itself be going (the program's end).
    delete fullScreen_.data();
}

// --- opening -------------------------------------------------------------------------------

void MpvWindowsMediaControl::Open(const QString& pathOrUrl)
{
    // The fixed Windows sound paths the windows name are the sounds the program ships.
    const media_source::Checked source = media_source::check(platform::resolveFixedFile(pathOrUrl));
    keepPosition();
    beginOpen(pathOrUrl, source.ok ? source.address : media_source::isAddress(pathOrUrl));
    if (!source.ok) {
        fail(source.problem);
        return;
    }
    QByteArray target = source.address ? source.target.toUtf8() : platform::encodeFileName(source.target);
    if (const QString disc = source.address ? QString() : media_source::dvdFolderOf(source.target); !disc.isEmpty()) {
        // A file of a DVD's VIDEO_TS folder plays the DVD itself, menus and titles as the
        // engine offers them. The disc's files are looked at first: the engine's DVD reader
        // trusts them.
        if (const QString problem = discs::dvdFolderProblem(disc); !problem.isEmpty()) {
            fail(problem);
            return;
        }
        session_.setString("dvd-device", platform::encodeFileName(disc));
        target = "dvd://";
    } else if (isAsxFile(source.target)) {
        // The engine reads no ASX: its entries are handed over as a list the engine reads, and
        // each is checked again as the engine comes to it.
        const ListEntries list = readAsxFile(source.target);
        if (list.entries.isEmpty()) {
            fail(list.problem);
            return;
        }
        target = "memory://#EXTM3U\n" + list.entries.join(QLatin1Char('\n')).toUtf8() + '\n';
    }
    setPlayState(Waiting);
    wantPlaying_ = true;
    openDeadline_.start();
    session_.setFlag("pause", false);
    // A local file starts where it was left, and shows the subtitle files beside it.
    const bool localFile = !source.address && target != "dvd://" && !target.startsWith("memory://");
    localClip_ = localFile ? source.target : QString();
    resumedAt_ = localFile && !positions_.isEmpty() ? resume_positions::positionOf(positions_, source.target) : -1;
    const QByteArray start = resumedAt_ > 0 ? "start=" + QByteArray::number(resumedAt_, 'f', 3) : QByteArray();
    session_.command({"loadfile", target, "replace", start}, kReplyLoad | (generation_ << kGenerationShift));
    if (localFile) findSubtitlesBeside(source.target);
}

void MpvWindowsMediaControl::refuse(const QString& name, const QString& problem)
{
    beginOpen(name, media_source::isAddress(name));
    fail(problem);
}

void MpvWindowsMediaControl::beginOpen(const QString& name, bool address)
{
    fileName_ = name;
    localClip_.clear();
    isBroadcast_ = address;
    hasError_ = false;
    info_ = ClipInfo();
    picture_ = QSize();
    view_->clearPicture();
    position_ = 0;
    lastWholeSecond_ = -1;
    playsDone_ = 0;
    streamBytes_ = 0;
    seeks_.reset();
    ++generation_;
    tracker_.begin(isBroadcast_);
    clipLoaded_ = false;
    endedWhileOpening_ = false;
    setOpenState(OpenOpening);
}

void MpvWindowsMediaControl::finishOpen()
{
    info_ = ClipInfo::fromEngine(pendingTracks_, pendingTags_, isBroadcast_ ? 0 : pendingFileSize_,
                                 toMilliseconds(pendingDuration_));
    if (info_.streams.empty()) {
        fail(media_source::engineFailure(MPV_ERROR_NOTHING_TO_PLAY, isBroadcast_));
        return;
    }
    openDeadline_.stop();
    // A list's later entries are not played: the entry that opened is the clip.
    session_.command({"playlist-clear"});
    picture_ = info_.picture();
    view_->setPicture(picture_, displaySize_);
    position_ = std::max(0.0, resumedAt_);
    buffering_ = 100;
    setOpenState(OpenOpen);
    post([this] { emit NewStream(); });
    if (resumedAt_ > 0) post([this, at = resumedAt_] { emit Resumed(at); });
    if (subtitlesFor_ == generation_) showSubtitles(subtitlesFound_);
    if (!wantPlaying_) session_.setFlag("pause", true);
    setPlayState(wantPlaying_ ? Playing : Stopped);
    refreshPacketCount();
    updateBar();
    if (endedWhileOpening_ && wantPlaying_) endOfPlay();
}

void MpvWindowsMediaControl::fail(QString reason)
{
    // Whatever the engine still plays or tries (an earlier clip, a list's next entry) ends.
    session_.stop();
    openDeadline_.stop();
    tracker_.begin(isBroadcast_);
    hasError_ = true;
    info_ = ClipInfo();
    picture_ = QSize();
    view_->clearPicture();
    position_ = 0;
    buffering_ = 0;
    seeks_.reset();
    setOpenState(OpenClosed);
    setPlayState(Closed);
    const QString description = media_source::cannotPlay(fileName_, reason);
    post([this, description] { emit Error(description); });
    updateBar();
}

// --- transport -----------------------------------------------------------------------------

void MpvWindowsMediaControl::Play()
{
    if (openState_ == OpenClosed) throw MediaError("There is no clip to play. Open a file first.");
    wantPlaying_ = true;
    if (openState_ == OpenOpening) {
        session_.setFlag("pause", false);
        return;
    }
    if (info_.duration > 0 && position_ >= info_.duration) {
        const double old = position_;
        position_ = 0;
        seekTo(0);
        emitPositionChange(old, 0);
    }
    playsDone_ = 0;
    session_.setFlag("pause", false);
    setPlayState(Playing);
}

void MpvWindowsMediaControl::Pause()
{
    if (openState_ == OpenClosed) return;
    wantPlaying_ = false;
    session_.setFlag("pause", true);
    if (openState_ == OpenOpen) setPlayState(Paused);
}

void MpvWindowsMediaControl::Stop()
{
    if (openState_ == OpenClosed) return;
    wantPlaying_ = false;
    session_.setFlag("pause", true);
    if (openState_ == OpenOpen) setPlayState(Stopped);
}

void MpvWindowsMediaControl::setCurrentPosition(double seconds)
{
    if (openState_ != OpenOpen) return;
    double target = std::max(0.0, seconds);
    if (info_.duration > 0) target = std::min(target, info_.duration);
    const double old = position_;
    position_ = target;
    seekTo(target);
    emitPositionChange(old, target);
    updateBar();
}

void MpvWindowsMediaControl::seekTo(double seconds)
{
    if (const auto send = seeks_.request(seconds)) sendSeek(*send);
}

void MpvWindowsMediaControl::sendSeek(double seconds)
{
    // Exact seeks also while scanning: with one seek in flight, each shows the picture at its
    // target, which keyframe seeks would hold still between keyframes.
    session_.command({"seek", QByteArray::number(seconds, 'f', 6), "absolute+exact"}, kReplySeek);
}

void MpvWindowsMediaControl::endOfPlay()
{
    // A clip played to its end starts at the start next time.
    if (!positions_.isEmpty() && !isBroadcast_) session_.command({"delete-watch-later-config"});
    const double old = position_;
    position_ = info_.duration;
    emitPositionChange(old, position_);
    ++playsDone_;
    post([this] { emit EndOfStream(0); });
    if (playCount_ >= kRepeatForever || playsDone_ < playCount_) {
        position_ = 0;
        seekTo(0);
        session_.setFlag("pause", false);
        emitPositionChange(info_.duration, 0);
    } else {
        if (autoRewind_) {
            position_ = 0;
            seekTo(0);
            emitPositionChange(info_.duration, 0);
        }
        session_.setFlag("pause", true);
        wantPlaying_ = false;
        setPlayState(Stopped);
    }
    updateBar();
}

// --- sound ---------------------------------------------------------------------------------

void MpvWindowsMediaControl::setVolume(int hundredthsDb)
{
    if (hundredthsDb < -10000 || hundredthsDb > 0)
        throw MediaError("The volume must lie between -10000 and 0.");
    volume_ = hundredthsDb;
    session_.setDouble("volume", percentFromHundredthsDb(volume_));
    updateBar();
}

void MpvWindowsMediaControl::setBalance(int balance)
{
    if (balance < -10000 || balance > 10000) throw MediaError("The balance must lie between -10000 and 10000.");
    balance_ = balance;
    // Balance attenuates the other channel by |balance| hundredths of a decibel.
    const double left = balance_ > 0 ? std::pow(10.0, -balance_ / 2000.0) : 1.0;
    const double right = balance_ < 0 ? std::pow(10.0, balance_ / 2000.0) : 1.0;
    const QByteArray filter =
        balance_ == 0 ? QByteArray()
                      : QByteArray("lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=") +
                            QByteArray::number(left, 'f', 6) + "*c0|c1=" + QByteArray::number(right, 'f', 6) + "*c1]";
    session_.setString("af", filter);
}

void MpvWindowsMediaControl::setMute(bool on)
{
    mute_ = on;
    session_.setFlag("mute", on);
}

void MpvWindowsMediaControl::setPlayCount(long count)
{
    if (count < 1) throw MediaError("The play count must be at least 1.");
    playCount_ = count;
}

// --- clip information ----------------------------------------------------------------------

QString MpvWindowsMediaControl::CodecName(int index) const
{
    if (index < 1 || index > CodecCount()) return {};
    return info_.streams[static_cast<size_t>(index - 1)].codecName;
}

bool MpvWindowsMediaControl::CodecInstalled(int index) const
{
    if (index < 1 || index > CodecCount()) return false;
    return info_.streams[static_cast<size_t>(index - 1)].installed;
}

QString MpvWindowsMediaControl::MediaInfoText(int code) const
{
    switch (code) {
    case 1: case 8: return info_.tag({"title"});
    case 2: case 9: return info_.tag({"artist", "author", "album_artist", "composer"});
    case 3: case 10: return info_.tag({"copyright"});
    case 4: case 11: return info_.tag({"album"});
    case 5: return info_.tag({"genre"});
    case 6: return info_.tag({"date", "year", "creation_time"});
    case 7: return info_.tag({"encoder", "encoded_by"});
    case 12: return info_.tag({"description", "comment"});
    default: return {};
    }
}

QString MpvWindowsMediaControl::PlayerId() const
{
    const QString engine = session_.engineVersion();
    const QString program = product::kTitle + QLatin1Char(' ') + product::versionText();
    return engine.isEmpty() ? program : QStringLiteral("%1 (%2)").arg(program, engine);
}

long MpvWindowsMediaControl::PacketsReceived() const
{
    return openState_ == OpenOpen ? static_cast<long>(streamBytes_ / kBytesPerPacket) : 0;
}

int MpvWindowsMediaControl::BufferingProgress() const { return openState_ == OpenOpen ? buffering_ : 0; }

void MpvWindowsMediaControl::refreshPacketCount()
{
    if (openState_ == OpenOpen)
        session_.getNode("stream-pos", kReplyStreamPos | (generation_ << kGenerationShift));
}

// --- events --------------------------------------------------------------------------------

void MpvWindowsMediaControl::post(std::function<void()> emitter)
{
    // Events reach the windows after the call that caused them has returned, in order.
    QMetaObject::invokeMethod(this, std::move(emitter), Qt::QueuedConnection);
}

void MpvWindowsMediaControl::setPlayState(int state)
{
    if (state == playState_) return;
    const int old = playState_;
    playState_ = state;
    post([this, old, state] { emit PlayStateChange(old, state); });
    updateBar();
}

void MpvWindowsMediaControl::setOpenState(int state)
{
    if (state == openState_) return;
    const int old = openState_;
    openState_ = state;
    post([this, old, state] { emit OpenStateChange(old, state); });
}

void MpvWindowsMediaControl::emitPositionChange(double oldPos, double newPos)
{
    post([this, oldPos, newPos] { emit PositionChange(oldPos, newPos); });
}

void MpvWindowsMediaControl::mpvFrameReady() { view_->frameReady(); }

// Each load becomes a playlist entry with an id; the tracker matches the engine's events to the
// newest open by those ids.
void MpvWindowsMediaControl::mpvEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        startedEntry_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_HOOK:
        checkEntryBeforeLoad(static_cast<const mpv_event_hook*>(event.data)->id);
        break;
    case MPV_EVENT_FILE_LOADED:
        if (openState_ == OpenOpening && tracker_.loaded(startedEntry_) == OpenTracker::Outcome::Loaded) {
            clipLoaded_ = true;
            gatherClip();
        }
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        if (openState_ != OpenOpening) break;
        OpenTracker::Outcome outcome = OpenTracker::Outcome::Pending;
        if (end->reason == MPV_END_FILE_REASON_ERROR) outcome = tracker_.failed(end->playlist_entry_id, end->error);
        if (end->reason == MPV_END_FILE_REASON_REDIRECT)
            outcome = tracker_.replacedByList(end->playlist_entry_id, end->playlist_insert_id,
                                              end->playlist_insert_num_entries);
        if (outcome == OpenTracker::Outcome::Failed) fail(tracker_.problem());
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        if (const auto next = seeks_.finished()) sendSeek(*next);
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        onPropertyChange(*static_cast<const mpv_event_property*>(event.data), event.reply_userdata);
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY: {
        const auto* prop = static_cast<const mpv_event_property*>(event.data);
        const mpv_node* node = prop->format == MPV_FORMAT_NODE ? static_cast<const mpv_node*>(prop->data) : nullptr;
        onReply(event.reply_userdata, node, event.error);
        break;
    }
    case MPV_EVENT_SET_PROPERTY_REPLY:
        if (event.reply_userdata == kReplyEntryRefused) continueEntryLoad();
        if (event.reply_userdata == VideoView::kPlacementApplied) view_->placementApplied();
        break;
    case MPV_EVENT_COMMAND_REPLY:
        onCommandReply(event.reply_userdata, static_cast<const mpv_event_command*>(event.data), event.error);
        break;
    default:
        break;
    }
}

// The engine is about to open an entry. The load's own entry was checked before it was given to
// the engine; any other came from a list and is checked by its name first, as a typed name
// would be. The engine waits until continueEntryLoad().
void MpvWindowsMediaControl::checkEntryBeforeLoad(uint64_t hookId)
{
    hookId_ = hookId;
    hookEntry_ = startedEntry_;
    if (startedEntry_ == tracker_.loadEntry()) continueEntryLoad();
    else session_.getNode("stream-open-filename", kReplyEntryName);
}

void MpvWindowsMediaControl::checkEntryName(const QString& name)
{
    media_source::Checked entry = media_source::checkListEntry(name, QDir::root());
    if (entry.ok && !entry.address && tracker_.isFromNetworkList(hookEntry_))
        entry = {false, false, {}, media_source::listLineProblem(name, media_source::localFileFromNetworkList())};
    if (tracker_.isPending(hookEntry_)) {
        tracker_.named(hookEntry_, name);
        if (!entry.ok) tracker_.refused(hookEntry_, entry.problem);
    }
    if (entry.ok) continueEntryLoad();
    else session_.setString("stream-open-filename", kRefusedSource, kReplyEntryRefused);
}

void MpvWindowsMediaControl::continueEntryLoad()
{
    if (hookId_ == 0) return;
    session_.continueHook(std::exchange(hookId_, 0));
}

void MpvWindowsMediaControl::onCommandReply(uint64_t id, const mpv_event_command* reply, int error)
{
    if (id == kReplyPictureSaved) {
        const QString problem = error < 0 ? tr("The picture could not be saved (%1).").arg(QString::fromUtf8(mpv_error_string(error))) : QString();
        post([this, path = std::exchange(pictureBeingSaved_, QString()), problem] { emit PictureSaved(path, problem); });
        return;
    }
    if ((id & kKindMask) == kReplySeek && error < 0) {
        if (const auto next = seeks_.finished()) sendSeek(*next);
    }
    if ((id & kKindMask) != kReplyLoad || (id >> kGenerationShift) != generation_ || openState_ != OpenOpening) return;
    if (error < 0) {
        // A load the engine refused outright never starts a file.
        fail(media_source::engineFailure(error, isBroadcast_));
        return;
    }
    const QVariantMap result = MpvSession::toVariant(reply->result).toMap();
    tracker_.accepted(result.value(QStringLiteral("playlist_entry_id"), -1).toLongLong());
}

void MpvWindowsMediaControl::gatherClip()
{
    const uint64_t gen = generation_ << kGenerationShift;
    session_.getNode("duration", kReplyDuration | gen);
    session_.getNode("track-list", kReplyTracks | gen);
    session_.getNode("metadata", kReplyTags | gen);
    session_.getNode("file-size", kReplyFileSize | gen);  // last: its answer completes the open
}

void MpvWindowsMediaControl::onReply(uint64_t id, const mpv_node* node, int error)
{
    const QVariant value = node && error >= 0 ? MpvSession::toVariant(*node) : QVariant();
    // The engine waits for this answer whichever open it belongs to.
    if (id == kReplyEntryName) return checkEntryName(value.toString());
    if ((id >> kGenerationShift) != generation_) return;  // about an earlier file
    switch (id & kKindMask) {
    case kReplyDuration: pendingDuration_ = value.toDouble(); break;
    case kReplyTracks: pendingTracks_ = value; break;
    case kReplyTags: pendingTags_ = value; break;
    case kReplyFileSize:
        pendingFileSize_ = value.toLongLong();
        if (openState_ == OpenOpening) finishOpen();
        break;
    case kReplyStreamPos:
        if (value.isValid()) streamBytes_ = value.toLongLong();
        break;
    default: break;
    }
}

void MpvWindowsMediaControl::onPropertyChange(const mpv_event_property& prop, uint64_t id)
{
    const bool has = prop.format != MPV_FORMAT_NONE && prop.data;
    switch (id) {
    case kObsTimePos: {
        if (!has || openState_ != OpenOpen || playState_ != Playing || seeks_.busy()) break;
        double t = toMilliseconds(*static_cast<const double*>(prop.data));
        if (info_.duration > 0) t = std::min(t, info_.duration);
        const double old = position_;
        position_ = std::max(0.0, t);
        const long second = static_cast<long>(std::floor(position_));
        if (second != lastWholeSecond_) {
            lastWholeSecond_ = second;
            emitPositionChange(old, position_);
            refreshPacketCount();
            updateBar();
        }
        break;
    }
    case kObsEofReached:
        if (!has || !*static_cast<const int*>(prop.data)) break;
        if (openState_ == OpenOpen && playState_ == Playing) endOfPlay();
        // A short clip may end before the open has gathered what it holds.
        else if (openState_ == OpenOpening && clipLoaded_) endedWhileOpening_ = true;
        break;
    case kObsDuration:
        if (has && openState_ == OpenOpen) info_.duration = toMilliseconds(*static_cast<const double*>(prop.data));
        break;
    case kObsDisplayWidth:
    case kObsDisplayHeight: {
        if (!has || openState_ != OpenOpen || picture_.isEmpty()) break;
        const int v = static_cast<int>(*static_cast<const int64_t*>(prop.data));
        if (id == kObsDisplayWidth) picture_.setWidth(v);
        else picture_.setHeight(v);
        view_->setPicture(picture_, displaySize_);
        break;
    }
    case kObsBuffering:
        buffering_ = has ? static_cast<int>(*static_cast<const int64_t*>(prop.data)) : 100;
        break;
    case kObsSubtitleText:
    case kObsSubtitleTrack: {
        // The engine neither reads nor draws a paused picture's subtitle again when the track or
        // its text changes: it is read again where it stands. Only a change asks for it (the
        // engine reports both again after every seek, this one's too).
        QByteArray value = has ? QByteArray(*static_cast<const char* const*>(prop.data)) : QByteArray();
        QByteArray& kept = id == kObsSubtitleText ? subtitleText_ : subtitleTrack_;
        if (std::exchange(kept, value) != value && openState_ == OpenOpen && playState_ != Playing)
            refreshSubtitles();
        break;
    }
    case kObsTrackList:
        trackList_ = prop.format == MPV_FORMAT_NODE && prop.data ? MpvSession::toVariant(*static_cast<const mpv_node*>(prop.data)).toList()
                                                                 : QVariantList();
        break;
    default:
        break;
    }
}
