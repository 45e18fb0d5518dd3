#include "media/MpvRealAudioControl.h"

#include <algorithm>
#include <cmath>

#include "media/MediaError.h"
#include "media/MediaSource.h"
#include "media/MpvWindowsMediaControl.h"
#include "media/ListFile.h"
#include "media/VolumeScale.h"

MpvRealAudioControl::MpvRealAudioControl(const MpvOptions& options, QWidget* parent)
    : RealAudioControl(parent), engine_(new MpvWindowsMediaControl(options, this))
{
    engine_->setObjectName(QStringLiteral("engine"));
    engine_->setShowControls(false);
    engine_->setShowPositionControls(false);
    engine_->setDisplaySize(WindowsMediaControl::SizeFitted);
    connect(engine_, &WindowsMediaControl::OpenStateChange, this,
            [this](int, int newState) { onOpenStateChange(newState); });
    connect(engine_, &WindowsMediaControl::EndOfStream, this, [this](int) { onEndOfStream(); });
    connect(engine_, &WindowsMediaControl::Error, this, &MpvRealAudioControl::onEngineError);
}

void MpvRealAudioControl::resizeEvent(QResizeEvent* event)
{
    RealAudioControl::resizeEvent(event);
    engine_->setGeometry(rect());
}

void MpvRealAudioControl::SetSource(const QString& path)
{
    source_ = path;
    playWanted_ = false;
    entryOpened_ = false;
    firstFailure_.clear();
    entries_ = QStringList{path};
    if (isRamFile(path)) {
        const ListEntries list = readRamFile(path);
        entries_ = list.entries;
        if (!list.problem.isEmpty()) firstFailure_ = media_source::cannotPlay(path, list.problem);
        if (entries_.isEmpty()) {
            entry_ = 0;
            engine_->refuse(path, list.problem);
            return;
        }
    }
    openEntry(0);
}

void MpvRealAudioControl::openEntry(int index)
{
    entry_ = index;
    pictureReported_ = false;
    engine_->Open(entries_.value(index));
    engine_->Stop();  // a source is made current; PlayClip starts it
}

void MpvRealAudioControl::PlayClip()
{
    playWanted_ = true;
    if (engine_->OpenState() == WindowsMediaControl::OpenClosed) {
        // A source that failed to open has been reported already (or its list tries its next
        // entry); only with no source at all is there something new to say.
        if (!source_.isEmpty() && engine_->HasError()) return;
        throw MediaError("There is no Real clip to play. Open a RealPlayer file first.");
    }
    engine_->Play();
}

void MpvRealAudioControl::PauseClip()
{
    playWanted_ = false;
    engine_->Pause();
}

void MpvRealAudioControl::StopClip()
{
    playWanted_ = false;
    engine_->Stop();
    engine_->setCurrentPosition(0);
}

void MpvRealAudioControl::SetVolume(short volume)
{
    volume_ = std::clamp<int>(volume, 0, 100);
    engine_->setVolume(volume_scale::hundredthsDbFromPercent(volume_));
}

void MpvRealAudioControl::SetMute(bool on) { engine_->setMute(on); }
bool MpvRealAudioControl::GetMute() const { return engine_->Mute(); }

long MpvRealAudioControl::GetPosition() const { return std::lround(engine_->CurrentPosition() * 1000.0); }
void MpvRealAudioControl::SetPosition(long ms) { engine_->setCurrentPosition(ms / 1000.0); }
long MpvRealAudioControl::GetLength() const { return std::lround(engine_->Duration() * 1000.0); }

QString MpvRealAudioControl::GetTitle() const { return engine_->MediaInfoText(1); }
QString MpvRealAudioControl::GetAuthor() const { return engine_->MediaInfoText(2); }
QString MpvRealAudioControl::GetCopyright() const { return engine_->MediaInfoText(3); }
QString MpvRealAudioControl::GetComments() const { return engine_->MediaInfoText(12); }
long MpvRealAudioControl::GetBandwidthAverage() const { return engine_->DataRate(); }
int MpvRealAudioControl::GetClipHeight() const { return engine_->PictureHeight(); }
int MpvRealAudioControl::GetClipWidth() const { return engine_->PictureWidth(); }

void MpvRealAudioControl::SetNumLoop(short count)
{
    numLoop_ = std::max<short>(1, count);
    engine_->setPlayCount(numLoop_);
}

bool MpvRealAudioControl::GetCanPause() const { return engine_->PlayState() == WindowsMediaControl::Playing; }
bool MpvRealAudioControl::GetEnableContextMenu() const { return engine_->AllowSizeChange(); }
void MpvRealAudioControl::SetStatusText(const QString& text) { engine_->setStatusText(text); }
void MpvRealAudioControl::SetShowStatusLine(bool on) { engine_->setShowStatusBar(on); }

void MpvRealAudioControl::onOpenStateChange(int newState)
{
    if (newState != WindowsMediaControl::OpenOpen) return;
    entryOpened_ = true;
    emit RealTwoTextEvent(GetTitle(), GetAuthor());
    emit RealTwoNumberEvent(GetPosition(), GetLength());
    if (!pictureReported_) {
        pictureReported_ = true;
        emit RealOneTextEvent(QStringLiteral("%1 x %2").arg(GetClipWidth()).arg(GetClipHeight()));
    }
}

void MpvRealAudioControl::onEndOfStream()
{
    if (engine_->PlayState() == WindowsMediaControl::Playing) return;  // repeating
    if (entry_ + 1 < entries_.size()) {
        openEntry(entry_ + 1);
        engine_->Play();
        return;
    }
    emit RealTwoNumberEvent(GetPosition(), GetLength());
    emit RealNoArgumentEvent();
}

void MpvRealAudioControl::onEngineError(const QString& description)
{
    // Until an entry of a list has opened, a failing entry gives way to the next one; the list
    // fails as a whole, with its first failure, only when none is left.
    if (firstFailure_.isEmpty()) firstFailure_ = description;
    if (!entryOpened_ && entry_ + 1 < entries_.size()) {
        openEntry(entry_ + 1);
        if (playWanted_ && engine_->OpenState() != WindowsMediaControl::OpenClosed) engine_->Play();
        return;
    }
    emit Error(entryOpened_ ? description : firstFailure_);
}
