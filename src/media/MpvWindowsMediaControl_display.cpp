// The Windows-media control's presentation: picture size, full screen, the right-click size
// menu, its own transport bar and status line, and their layout.
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "media/FullScreenWindow.h"
#include "media/MediaError.h"
#include "media/MpvWindowsMediaControl.h"
#include "media/TransportBar.h"
#include "media/VideoView.h"
#include "media/VolumeScale.h"

namespace {

QString timeText(double seconds)
{
    const long s = std::lround(std::max(0.0, seconds));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

// --- picture -------------------------------------------------------------------------------

void MpvWindowsMediaControl::setDisplaySize(int code)
{
    if (code < SizeOwn || code > SizeFitted) throw MediaError("Unknown display size.");
    if (code == SizeFullScreen && displaySize_ != SizeFullScreen) {
        displaySizeBeforeFullScreen_ = displaySize_;
        displaySize_ = SizeFullScreen;
        enterFullScreen();
    } else if (code != SizeFullScreen && displaySize_ == SizeFullScreen) {
        displaySize_ = code;
        leaveFullScreen();
    } else {
        displaySize_ = code;
    }
    view_->setPicture(picture_, displaySize_);
    relayout();
}

void MpvWindowsMediaControl::setEnableFullScreenControls(bool on)
{
    fullScreenControls_ = on;
    if (fullScreen_) {
        bar_->setParent(on ? fullScreen_.data() : static_cast<QWidget*>(this));
        bar_->show();
        relayout();
    }
}

void MpvWindowsMediaControl::enterFullScreen()
{
    auto* window = new FullScreenWindow([this] { leaveFullScreenToPreviousSize(); }, this->window());
    fullScreen_ = window;
    window->onResize = [this] { relayout(); };
    view_->setParent(window);
    view_->show();
    if (fullScreenControls_) {
        bar_->setParent(window);
        bar_->show();
    }
    // Cover the screen the control is on, also where no window manager does it for us.
    if (const QScreen* s = screen()) window->setGeometry(s->geometry());
    window->showFullScreen();
    window->raise();
    window->activateWindow();
    window->setFocus();
}

void MpvWindowsMediaControl::leaveFullScreenToPreviousSize()
{
    if (displaySize_ == SizeFullScreen) setDisplaySize(displaySizeBeforeFullScreen_);
}

void MpvWindowsMediaControl::leaveFullScreen()
{
    view_->setParent(this);
    view_->show();
    bar_->setParent(this);
    bar_->show();
    if (fullScreen_) fullScreen_->deleteLater();
    fullScreen_ = nullptr;
    relayout();
}

void MpvWindowsMediaControl::showPictureMenu(QPoint globalPos)
{
    if (!allowSizeChange_ || picture_.isEmpty()) return;
    QMenu menu(this);
    const auto choice = [](QMenu* in, const QString& label, bool checked, std::function<void()> act) {
        QAction* a = in->addAction(label);
        a->setCheckable(true);
        a->setChecked(checked);
        connect(a, &QAction::triggered, in, std::move(act));
    };
    const std::pair<QString, int> sizes[] = {{tr("50%"), SizeHalf},           {tr("75%"), SizeThreeQuarters},
                                             {tr("100%"), SizeOwn},           {tr("200%"), SizeDouble},
                                             {tr("Fit to Window"), SizeFitted}, {tr("Full Screen"), SizeFullScreen}};
    for (const auto& [label, code] : sizes) choice(&menu, label, code == displaySize_, [this, code = code] { setDisplaySize(code); });
    menu.addSeparator();

    QMenu* subtitles = menu.addMenu(tr("Subtitles"));
    const QList<Track> subs = tracks(TrackKind::Subtitle);
    const bool anyShown = std::any_of(subs.begin(), subs.end(), [](const Track& t) { return t.selected; });
    choice(subtitles, tr("Off"), !anyShown, [this] { selectTrack(TrackKind::Subtitle, 0); });
    for (const Track& t : subs) choice(subtitles, t.label, t.selected, [this, id = t.id] { selectTrack(TrackKind::Subtitle, id); });
    subtitles->addSeparator();
    connect(subtitles->addAction(tr("Load subtitle file...")), &QAction::triggered, this, &WindowsMediaControl::subtitleFileWanted);
    if (const QList<Track> audio = tracks(TrackKind::Audio); audio.size() > 1) {
        QMenu* sound = menu.addMenu(tr("Audio track"));
        for (const Track& t : audio) choice(sound, t.label, t.selected, [this, id = t.id] { selectTrack(TrackKind::Audio, id); });
    }
    QMenu* speeds = menu.addMenu(tr("Speed"));
    for (const double times : {0.5, 0.75, 1.0, 1.25, 1.5, 2.0})
        choice(speeds, QLocale().toString(times) + QStringLiteral("x"), qFuzzyCompare(times, speed_), [this, times] { setSpeed(times); });
    connect(menu.addAction(tr("Save picture...")), &QAction::triggered, this, &WindowsMediaControl::pictureFileWanted);
    menu.exec(globalPos);
}

void MpvWindowsMediaControl::setShowControls(bool on)
{
    showControls_ = on;
    relayout();
}

void MpvWindowsMediaControl::setShowPositionControls(bool on)
{
    showPositionControls_ = on;
    bar_->setPositionControlsVisible(on);
}

void MpvWindowsMediaControl::setShowStatusBar(bool on)
{
    showStatusBar_ = on;
    bar_->setStatusVisible(on);
    relayout();
}

void MpvWindowsMediaControl::resizeEvent(QResizeEvent* event)
{
    WindowsMediaControl::resizeEvent(event);
    relayout();
}

void MpvWindowsMediaControl::relayout()
{
    const bool full = fullScreen_ != nullptr;
    QWidget* area = full ? fullScreen_.data() : static_cast<QWidget*>(this);
    const bool barShown = full ? fullScreenControls_ : (showControls_ || showStatusBar_);
    bar_->setButtonsVisible(full || showControls_);
    const int barH = barShown ? bar_->preferredHeight() : 0;
    bar_->setVisible(barShown);
    bar_->setGeometry(0, area->height() - barH, area->width(), barH);
    view_->setGeometry(0, 0, area->width(), area->height() - barH);
    updateBar();
}

void MpvWindowsMediaControl::updateBar()
{
    if (bar_->isHidden()) return;  // brought up to date when it is shown again
    bar_->setPlaying(playState_ == Playing);
    bar_->setPosition(position_, info_.duration);
    bar_->setVolumePercent(static_cast<int>(std::lround(volume_scale::percentFromHundredthsDb(volume_))));
    static const char* const names[] = {"Stopped", "Paused", "Playing", "Waiting", "", "", "Ready"};
    const QString state = tr(names[std::clamp(playState_, 0, 6)]);
    if (!statusText_.isEmpty()) {
        bar_->setStatus(statusText_);
        return;
    }
    bar_->setStatus(openState_ == OpenOpen
                        ? QStringLiteral("%1   %2 / %3").arg(state, timeText(position_), timeText(info_.duration))
                        : openState_ == OpenOpening ? tr("Opening...") : tr("Ready"));
}

void MpvWindowsMediaControl::setStatusText(const QString& text)
{
    statusText_ = text;
    updateBar();
}

