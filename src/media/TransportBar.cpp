#include "media/TransportBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <cmath>

namespace {
constexpr int kRowHeight = 24;
constexpr int kSliderSteps = 1000;
}  // namespace

TransportBar::TransportBar(QWidget* parent)
    : QWidget(parent),
      controls_(new QWidget(this)),
      playPause_(new QToolButton(controls_)),
      stop_(new QToolButton(controls_)),
      position_(new QSlider(Qt::Horizontal, controls_)),
      volume_(new QSlider(Qt::Horizontal, controls_)),
      status_(new QLabel(this))
{
    setObjectName(QStringLiteral("transportBar"));
    setAutoFillBackground(true);
    playPause_->setObjectName(QStringLiteral("playPause"));
    playPause_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    playPause_->setAccessibleName(tr("Play"));
    stop_->setObjectName(QStringLiteral("stop"));
    stop_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    stop_->setAccessibleName(tr("Stop"));
    position_->setObjectName(QStringLiteral("position"));
    position_->setAccessibleName(tr("Position"));
    position_->setRange(0, kSliderSteps);
    volume_->setObjectName(QStringLiteral("volume"));
    volume_->setAccessibleName(tr("Volume"));
    volume_->setRange(0, 100);
    volume_->setValue(100);
    volume_->setMaximumWidth(60);
    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setVisible(false);

    auto* row = new QHBoxLayout(controls_);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(2);
    row->addWidget(playPause_);
    row->addWidget(stop_);
    row->addWidget(position_, 1);
    row->addWidget(volume_);

    connect(playPause_, &QToolButton::clicked, this, &TransportBar::playPauseClicked);
    connect(stop_, &QToolButton::clicked, this, &TransportBar::stopClicked);
    connect(position_, &QSlider::sliderMoved, this, [this](int v) {
        if (duration_ > 0) emit seekRequested(duration_ * v / kSliderSteps);
    });
    connect(volume_, &QSlider::sliderMoved, this, &TransportBar::volumeRequested);
}

void TransportBar::setPlaying(bool playing)
{
    playPause_->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    playPause_->setAccessibleName(playing ? tr("Pause") : tr("Play"));
}

void TransportBar::setPosition(double seconds, double duration)
{
    duration_ = duration;
    if (!position_->isSliderDown())
        position_->setValue(duration > 0 ? static_cast<int>(std::lround(seconds / duration * kSliderSteps)) : 0);
}

void TransportBar::setVolumePercent(int percent)
{
    if (!volume_->isSliderDown()) volume_->setValue(percent);
}

void TransportBar::setPositionControlsVisible(bool on) { position_->setVisible(on); }

void TransportBar::setStatus(const QString& text) { status_->setText(text); }

void TransportBar::setStatusVisible(bool on)
{
    statusVisible_ = on;
    relayout();
}

void TransportBar::setButtonsVisible(bool on)
{
    buttonsVisible_ = on;
    relayout();
}

int TransportBar::preferredHeight() const
{
    return (buttonsVisible_ ? kRowHeight : 0) + (statusVisible_ ? status_->sizeHint().height() : 0);
}

void TransportBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void TransportBar::relayout()
{
    controls_->setVisible(buttonsVisible_);
    status_->setVisible(statusVisible_);
    const int rowH = buttonsVisible_ ? kRowHeight : 0;
    controls_->setGeometry(0, 0, width(), rowH);
    status_->setGeometry(4, rowH, width() - 8, height() - rowH);
}
