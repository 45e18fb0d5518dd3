#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

#include "media/CdAudioDevice.h"

class QPushButton;

// The multimedia control: a button bar (previous, next, play, pause, back, step, stop, record,
// eject) over a CD audio device, with the MCI members the CD player uses. Buttons that cannot
// act on the device as it is are disabled; with no disc, all are.
class MMControl : public QWidget {
    Q_OBJECT
public:
    // Takes the device over.
    MMControl(CdAudioDevice* device, QWidget* parent);

    // How the control's ways in reach the program: a button is the person's click; the status
    // timer and the device's own later work are not. Until they are set, they run as they are.
    void setEntries(CdAudioDevice::Entry click, CdAudioDevice::Entry event);

    QString DeviceType;                              // "CDAudio"
    void setCommand(const QString& command);         // 23: Open, Play, Pause, Stop, Prev, Next, Back, Step, Eject
    int Track() const { return device_->track(); }   // 41
    int Tracks() const { return device_->tracks(); } // 42
    QString ErrorMessage() const { return device_->problem(); }
    static constexpr int kUpdateIntervalMs = 1000;

    enum Button { Prev, Next, Play, Pause, Back, Step, Stop, Record, Eject };
    QPushButton* button(Button b) const { return buttons_[b]; }

signals:
    // Periodic while the device is open, and at once when it changes.
    void StatusUpdate();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refreshButtons();

    CdAudioDevice* device_;
    std::array<QPushButton*, 9> buttons_{};
    QTimer status_;
    CdAudioDevice::Entry click_, event_;
};
