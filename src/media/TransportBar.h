#pragma once

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

// The engine's own controls under the picture: play/pause, stop, the position slider and the
// volume slider, with an optional status line below them.
class TransportBar : public QWidget {
    Q_OBJECT
public:
    explicit TransportBar(QWidget* parent);

    void setPlaying(bool playing);
    void setPosition(double seconds, double duration);
    void setVolumePercent(int percent);  // 0..100
    void setPositionControlsVisible(bool on);
    void setStatus(const QString& text);
    void setStatusVisible(bool on);
    void setButtonsVisible(bool on);

    int preferredHeight() const;

signals:
    void playPauseClicked();
    void stopClicked();
    void seekRequested(double seconds);
    void volumeRequested(int percent);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    QWidget* controls_;
    QToolButton* playPause_;
    QToolButton* stop_;
    QSlider* position_;
    QSlider* volume_;
    QLabel* status_;
    double duration_ = 0;
    bool buttonsVisible_ = true;
    bool statusVisible_ = false;
};
