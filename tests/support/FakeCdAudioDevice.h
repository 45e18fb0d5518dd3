#pragma once

#include <stdexcept>

#include "media/CdAudioDevice.h"

// A disc whose tracks the test sets; every call is recorded.
class FakeCdAudioDevice : public CdAudioDevice {
    Q_OBJECT
public:
    using CdAudioDevice::CdAudioDevice;

    int discTracks = 12;  // 0: no disc
    QStringList calls;

    void open() override
    {
        calls << QStringLiteral("open");
        open_ = discTracks > 0;
        current_ = open_ ? 1 : 0;
        emit changed();
    }
    bool isOpen() const override { return open_; }
    bool isReading() const override { return false; }
    int checks = 0;
    bool engineFails = false;  // the engine cannot start when the drive is looked at
    void checkDrive() override
    {
        ++checks;
        if (engineFails) throw std::runtime_error("The playback engine could not be started.");
    }
    QString problem() const override { return open_ ? QString() : QStringLiteral("There is no audio CD in the drive."); }
    int track() const override { return current_; }
    int tracks() const override { return open_ ? discTracks : 0; }
    bool isPlaying() const override { return playing_; }
    void play() override { act("play", [this] { playing_ = true; }); }
    void pause() override { act("pause", [this] { playing_ = false; }); }
    void stop() override { act("stop", [this] { playing_ = false, current_ = 1; }); }
    void next() override { act("next", [this] { current_ = std::min(current_ + 1, discTracks); }); }
    void previous() override { act("previous", [this] { current_ = std::max(current_ - 1, 1); }); }
    void back() override { act("back", [] {}); }
    void step() override { act("step", [] {}); }
    void eject() override { act("eject", [this] { open_ = playing_ = false, current_ = 0; }); }

private:
    template <class F> void act(const char* name, F change)
    {
        calls << QString::fromLatin1(name);
        change();
        emit changed();
    }
    bool open_ = false, playing_ = false;
    int current_ = 0;
};
