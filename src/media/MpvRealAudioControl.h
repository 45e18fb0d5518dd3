#pragma once

#include <QStringList>

#include "media/MpvSession.h"
#include "media/RealAudioControl.h"

class MpvWindowsMediaControl;

// The Real control on its own libmpv instance. It reuses the Windows-media engine's playback
// (loading, seeking, picture) and speaks the Real control's members and events over it; .ram
// lists are read here and their entries played one after the other, starting with the first
// one that opens.
class MpvRealAudioControl : public RealAudioControl {
    Q_OBJECT
public:
    MpvRealAudioControl(const MpvOptions& options, QWidget* parent);

    void SetSource(const QString& path) override;
    QString GetSource() const override { return source_; }
    void PlayClip() override;
    void PauseClip() override;
    void StopClip() override;
    int GetVolume() const override { return volume_; }
    void SetVolume(short volume) override;
    void SetMute(bool on) override;
    bool GetMute() const override;
    long GetPosition() const override;
    void SetPosition(long ms) override;
    long GetLength() const override;
    QString GetTitle() const override;
    QString GetAuthor() const override;
    QString GetCopyright() const override;
    QString GetComments() const override;
    long GetBandwidthAverage() const override;
    int GetClipHeight() const override;
    int GetClipWidth() const override;
    short GetNumLoop() const override { return numLoop_; }
    void SetNumLoop(short count) override;
    bool GetCanPause() const override;
    bool GetEnableContextMenu() const override;
    void SetStatusText(const QString& text) override;
    void SetShowStatusLine(bool on) override;

    const MpvWindowsMediaControl& engine() const { return *engine_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void openEntry(int index);
    void onOpenStateChange(int newState);
    void onEndOfStream();
    void onEngineError(const QString& description);

    MpvWindowsMediaControl* engine_;
    QString source_;
    QStringList entries_;
    int entry_ = 0;
    bool entryOpened_ = false;  // an entry of the current source has opened
    bool playWanted_ = false;   // PlayClip came after the source was set
    QString firstFailure_;      // of the current source, reported if no entry opens
    int volume_ = 100;
    short numLoop_ = 1;
    bool pictureReported_ = false;
};
