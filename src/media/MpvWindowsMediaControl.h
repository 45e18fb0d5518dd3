#pragma once

#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "media/ClipInfo.h"
#include "media/MpvSession.h"
#include "media/OpenTracker.h"
#include "media/SeekCoalescer.h"
#include "media/WindowsMediaControl.h"

class TransportBar;
class VideoView;

// The Windows-media control played by libmpv: picture at the top of the control, the engine's
// own transport bar and status line under it, full screen in a window of its own.
class MpvWindowsMediaControl : public WindowsMediaControl, private MpvListener {
    Q_OBJECT
public:
    MpvWindowsMediaControl(const MpvOptions& options, QWidget* parent);
    ~MpvWindowsMediaControl() override;

    void Open(const QString& pathOrUrl) override;
    void Play() override;
    void Pause() override;
    void Stop() override;

    QString FileName() const override { return fileName_; }
    void setFileName(const QString& name) override { Open(name); }
    double CurrentPosition() const override { return position_; }
    void setCurrentPosition(double seconds) override;
    double Duration() const override { return info_.duration; }
    int PlayState() const override { return playState_; }
    int OpenState() const override { return openState_; }

    int Volume() const override { return volume_; }
    void setVolume(int hundredthsDb) override;
    int Balance() const override { return balance_; }
    void setBalance(int balance) override;
    bool Mute() const override { return mute_; }
    void setMute(bool on) override;

    int DisplaySize() const override { return displaySize_; }
    void setDisplaySize(int code) override;
    bool AllowSizeChange() const override { return allowSizeChange_; }
    void setAllowSizeChange(bool on) override { allowSizeChange_ = on; }
    bool EnableFullScreenControls() const override { return fullScreenControls_; }
    void setEnableFullScreenControls(bool on) override;
    bool AutoRewind() const override { return autoRewind_; }
    void setAutoRewind(bool on) override { autoRewind_ = on; }
    long PlayCount() const override { return playCount_; }
    void setPlayCount(long count) override;

    int PictureWidth() const override { return std::max(0, picture_.width()); }
    int PictureHeight() const override { return std::max(0, picture_.height()); }
    long DataRate() const override { return info_.dataRate(); }
    long PacketsReceived() const override;
    int CodecCount() const override { return static_cast<int>(info_.streams.size()); }
    QString CodecName(int index) const override;
    bool CodecInstalled(int index) const override;
    QString MediaInfoText(int code) const override;
    QString PlayerId() const override;

    bool ShowControls() const override { return showControls_; }
    void setShowControls(bool on) override;
    bool ShowPositionControls() const override { return showPositionControls_; }
    void setShowPositionControls(bool on) override;
    bool ShowStatusBar() const override { return showStatusBar_; }
    void setShowStatusBar(bool on) override;
    bool IsBroadcast() const override { return isBroadcast_; }
    bool HasError() const override { return hasError_; }
    int BufferingProgress() const override;

    QList<Track> tracks(TrackKind kind) const override;
    void selectTrack(TrackKind kind, int id) override;
    void addSubtitleFile(const QString& path) override;
    double speed() const override { return speed_; }
    void setSpeed(double times) override;
    void savePicture(const QString& path) override;

    // Closes whatever is open and reports that the name cannot be played, for the reason given
    // (a list the caller read and refused), as a failed Open does.
    void refuse(const QString& name, const QString& problem);

    // Text for the status line in place of the play state and time; empty restores them.
    void setStatusText(const QString& text);

    // The picture as drawn now (tests grab it).
    const VideoView& view() const { return *view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Command reply id: the picture has been saved (or not).
    static constexpr uint64_t kReplyPictureSaved = 0xF2;

    void mpvEvent(const mpv_event& event) override;
    void mpvFrameReady() override;

    void onPropertyChange(const mpv_event_property& prop, uint64_t id);
    void onReply(uint64_t id, const mpv_node* node, int error);
    void onCommandReply(uint64_t id, const mpv_event_command* reply, int error);
    // What every open does first: the new name, nothing known of the clip, the state opening.
    void beginOpen(const QString& name, bool address);
    void gatherClip();
    void checkEntryBeforeLoad(uint64_t hookId);
    void checkEntryName(const QString& name);
    void continueEntryLoad();
    void finishOpen();
    void fail(QString reason);  // by value: it may come from the tracker, which fail() resets
    void endOfPlay();
    void seekTo(double seconds);
    void sendSeek(double seconds);
    void post(std::function<void()> emitter);
    void setPlayState(int state);
    void setOpenState(int state);
    void emitPositionChange(double oldPos, double newPos);
    void refreshPacketCount();
    void relayout();
    void updateBar();
    void enterFullScreen();
    void leaveFullScreen();
    // Esc or a double-click in full screen: back to the size chosen before it.
    void leaveFullScreenToPreviousSize();
    // The picture's right-click menu: sizes, subtitles, audio tracks, speed, saving the picture.
    void showPictureMenu(QPoint globalPos);
    // Subtitle files beside a local clip, of its name, looked for off the UI thread and shown.
    void findSubtitlesBeside(const QString& clip);
    // Before a long local clip goes (another opens, the control ends): where it was left is
    // kept, or forgotten in its last minute.
    void keepPosition();
    void showSubtitles(const QStringList& files);
    void refreshSubtitles();

    MpvSession session_;
    VideoView* view_;
    TransportBar* bar_;
    QPointer<QWidget> fullScreen_;

    QString fileName_;
    int playState_ = Closed;
    int openState_ = OpenClosed;
    ClipInfo info_;
    QSize picture_;
    double position_ = 0;
    long lastWholeSecond_ = -1;
    SeekCoalescer seeks_;
    bool wantPlaying_ = true;
    uint64_t generation_ = 0;
    OpenTracker tracker_;
    QTimer openDeadline_;
    int64_t startedEntry_ = -1;  // the playlist entry the engine started last
    bool clipLoaded_ = false;        // the engine loaded the open's clip; what it holds is asked
    bool endedWhileOpening_ = false; // and it played to its end before the answers came
    QByteArray subtitleText_;        // the engine's sub-text and sid, as last reported
    QByteArray subtitleTrack_;
    // The engine's on_load hook waiting for an answer, and the entry it is about.
    uint64_t hookId_ = 0;
    int64_t hookEntry_ = -1;

    // Gathered between the file being loaded and the clip being reported open.
    QVariant pendingTracks_, pendingTags_;
    qint64 pendingFileSize_ = 0;
    double pendingDuration_ = 0;

    int volume_ = 0;
    int balance_ = 0;
    bool mute_ = false;
    int displaySize_ = 0;
    int displaySizeBeforeFullScreen_ = 0;
    bool allowSizeChange_ = true;
    bool fullScreenControls_ = false;
    bool autoRewind_ = false;
    long playCount_ = 1;
    long playsDone_ = 0;
    bool showControls_ = true;
    bool showPositionControls_ = true;
    bool showStatusBar_ = false;
    bool isBroadcast_ = false;
    bool hasError_ = false;
    qint64 streamBytes_ = 0;
    int buffering_ = 0;
    QString statusText_;

    QVariantList trackList_;  // the engine's track-list, as it changes
    double speed_ = 1;
    QString pictureBeingSaved_;
    QString positions_;         // the folder where long clips' positions are kept; empty: none
    double resumedAt_ = -1;     // where the open's clip starts, when it was left there before
    QString localClip_;         // the open's local file, for its position; empty for anything else
    QStringList subtitlesFound_;   // beside the open's clip, shown once it is open
    uint64_t subtitlesFor_ = 0;    // the open (generation) they were found for
};
