#pragma once

#include <QMetaObject>
#include <QStringList>
#include <map>
#include <vector>

#include "media/MediaError.h"
#include "media/WindowsMediaControl.h"

// Scriptable Windows-media engine for window tests. Every call is logged; clips known to it
// open at once (events follow on the event loop, after the caller returns, like the real one),
// or, with opensLater, as the real engine does: opening (no length, no picture size) until the
// event loop runs; others fail. Change events are raised only when a value really changes.
class FakeWindowsMediaControl : public WindowsMediaControl {
    Q_OBJECT
public:
    struct Clip {
        double duration = 0;
        int width = 0, height = 0;
        long dataRate = 0;
        std::vector<std::pair<QString, bool>> codecs;  // name, installed
        std::map<int, QString> info;                    // MediaInfoText codes
    };

    explicit FakeWindowsMediaControl(QWidget* parent) : WindowsMediaControl(parent) {}

    std::map<QString, Clip> clips;
    QStringList calls;
    QString playerId = QStringLiteral("ZelPlayer Plus 6.1.0 (fake engine)");
    long packets = 0;
    bool isBroadcast = false;
    bool hasError = false;
    int buffering = 0;
    bool opensLater = false;
    QString pauseRefusal;  // when set, Pause fails with it, as an engine call can

    // Scripting: change state the way the engine would, raising its events.
    void scriptPlayState(int state)
    {
        if (state == playState_) return;
        const int old = playState_;
        playState_ = state;
        post([this, old, state] { emit PlayStateChange(old, state); });
    }
    void scriptOpenState(int state)
    {
        if (state == openState_) return;
        const int old = openState_;
        openState_ = state;
        post([this, old, state] { emit OpenStateChange(old, state); });
    }
    void scriptClip(const Clip& c) { clip_ = c; }
    void scriptPosition(double p) { position_ = p; }
    void scriptEndOfStream() { post([this] { emit EndOfStream(0); }); }

    void Open(const QString& name) override
    {
        calls << QStringLiteral("Open(%1)").arg(name);
        const long open = ++opens_;
        fileName_ = name;
        position_ = 0;
        scriptOpenState(OpenOpening);
        const auto it = clips.find(name);
        if (it == clips.end()) {
            clip_ = Clip();
            scriptOpenState(OpenClosed);
            scriptPlayState(Closed);
            post([this, name] { emit Error(QStringLiteral("cannot play %1").arg(name)); });
            return;
        }
        if (!opensLater) {
            clip_ = it->second;
            scriptOpenState(OpenOpen);
            scriptPlayState(Playing);
            return;
        }
        clip_ = Clip();
        scriptPlayState(Waiting);
        post([this, clip = it->second, open] {
            if (open != opens_) return;  // a newer open replaced it
            clip_ = clip;
            scriptOpenState(OpenOpen);
            scriptPlayState(Playing);
        });
    }
    void Play() override
    {
        calls << QStringLiteral("Play");
        if (openState_ == OpenClosed) throw MediaError("There is no clip to play.");
        scriptPlayState(Playing);
    }
    void Pause() override
    {
        calls << QStringLiteral("Pause");
        if (!pauseRefusal.isEmpty()) throw MediaError(pauseRefusal.toStdString());
        if (openState_ == OpenOpen) scriptPlayState(Paused);
    }
    void Stop() override
    {
        calls << QStringLiteral("Stop");
        if (openState_ == OpenOpen) scriptPlayState(Stopped);
    }

    QString FileName() const override { return fileName_; }
    void setFileName(const QString& name) override { Open(name); }
    double CurrentPosition() const override { return position_; }
    void setCurrentPosition(double s) override
    {
        calls << QStringLiteral("setCurrentPosition(%1)").arg(s);
        const double old = position_;
        position_ = std::clamp(s, 0.0, std::max(0.0, clip_.duration));
        post([this, old, p = position_] { emit PositionChange(old, p); });
    }
    double Duration() const override { return clip_.duration; }
    int PlayState() const override { return playState_; }
    int OpenState() const override { return openState_; }

    int Volume() const override { return volume_; }
    void setVolume(int v) override
    {
        calls << QStringLiteral("setVolume(%1)").arg(v);
        if (v < -10000 || v > 0) throw MediaError("volume out of range");
        volume_ = v;
    }
    int Balance() const override { return balance_; }
    void setBalance(int b) override
    {
        calls << QStringLiteral("setBalance(%1)").arg(b);
        balance_ = b;
    }
    bool Mute() const override { return mute_; }
    void setMute(bool on) override
    {
        calls << QStringLiteral("setMute(%1)").arg(on);
        mute_ = on;
    }

    int DisplaySize() const override { return displaySize_; }
    void setDisplaySize(int c) override
    {
        calls << QStringLiteral("setDisplaySize(%1)").arg(c);
        displaySize_ = c;
    }
    bool AllowSizeChange() const override { return allowSizeChange_; }
    void setAllowSizeChange(bool on) override
    {
        calls << QStringLiteral("setAllowSizeChange(%1)").arg(on);
        allowSizeChange_ = on;
    }
    bool EnableFullScreenControls() const override { return fullScreenControls_; }
    void setEnableFullScreenControls(bool on) override
    {
        calls << QStringLiteral("setEnableFullScreenControls(%1)").arg(on);
        fullScreenControls_ = on;
    }
    bool AutoRewind() const override { return autoRewind_; }
    void setAutoRewind(bool on) override
    {
        calls << QStringLiteral("setAutoRewind(%1)").arg(on);
        autoRewind_ = on;
    }
    long PlayCount() const override { return playCount_; }
    void setPlayCount(long c) override
    {
        calls << QStringLiteral("setPlayCount(%1)").arg(c);
        playCount_ = c;
    }

    int PictureWidth() const override { return clip_.width; }
    int PictureHeight() const override { return clip_.height; }
    long DataRate() const override { return clip_.dataRate; }
    long PacketsReceived() const override { return packets; }
    int CodecCount() const override { return static_cast<int>(clip_.codecs.size()); }
    QString CodecName(int i) const override
    {
        return i >= 1 && i <= CodecCount() ? clip_.codecs[static_cast<size_t>(i - 1)].first : QString();
    }
    bool CodecInstalled(int i) const override
    {
        return i >= 1 && i <= CodecCount() && clip_.codecs[static_cast<size_t>(i - 1)].second;
    }
    QString MediaInfoText(int code) const override
    {
        const auto it = clip_.info.find(code);
        return it == clip_.info.end() ? QString() : it->second;
    }
    QString PlayerId() const override { return playerId; }

    bool ShowControls() const override { return showControls_; }
    void setShowControls(bool on) override
    {
        calls << QStringLiteral("setShowControls(%1)").arg(on);
        showControls_ = on;
    }
    bool ShowPositionControls() const override { return showPositionControls_; }
    void setShowPositionControls(bool on) override
    {
        calls << QStringLiteral("setShowPositionControls(%1)").arg(on);
        showPositionControls_ = on;
    }
    bool ShowStatusBar() const override { return showStatusBar_; }
    void setShowStatusBar(bool on) override
    {
        calls << QStringLiteral("setShowStatusBar(%1)").arg(on);
        showStatusBar_ = on;
    }
    bool IsBroadcast() const override { return isBroadcast; }
    bool HasError() const override { return hasError; }
    int BufferingProgress() const override { return buffering; }

    QList<Track> tracks(TrackKind) const override { return {}; }
    void selectTrack(TrackKind kind, int id) override { calls << QStringLiteral("selectTrack(%1,%2)").arg(int(kind)).arg(id); }
    void addSubtitleFile(const QString& path) override { calls << QStringLiteral("addSubtitleFile(%1)").arg(path); }
    double speed() const override { return speed_; }
    void setSpeed(double times) override { speed_ = times; }
    void savePicture(const QString& path) override { calls << QStringLiteral("savePicture(%1)").arg(path); }

private:
    template <class F> void post(F f) { QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection); }

    Clip clip_;
    long opens_ = 0;
    QString fileName_;
    int playState_ = Closed;
    int openState_ = OpenClosed;
    double position_ = 0;
    int volume_ = 0, balance_ = 0, displaySize_ = 0;
    bool mute_ = false, allowSizeChange_ = true, fullScreenControls_ = false, autoRewind_ = false;
    long playCount_ = 1;
    double speed_ = 1;
    bool showControls_ = true, showPositionControls_ = true, showStatusBar_ = false;
};
