#pragma once

#include <QTimer>

#include "media/CdAudioDevice.h"
#include "media/Discs.h"
#include "media/MpvSession.h"

// The CD audio device on libmpv: the disc is "cdda://" read from the device (a drive, or a
// CUE/BIN disc image), and its tracks are the engine's chapters. The device is looked at before
// the engine sees it, and an open that has not ended by the open deadline fails. Each look at
// the drive (a drive is asked on a thread of its own) follows it: a new disc is read, a disc
// gone is let go; a disc ejected or unreadable is not read again until another comes.
class MpvCdAudioDevice : public CdAudioDevice, private MpvListener {
    Q_OBJECT
public:
    MpvCdAudioDevice(const MpvOptions& options, QString devicePath, QObject* parent = nullptr);

    void open() override;
    void checkDrive() override;
    bool isOpen() const override { return open_; }
    bool isReading() const override { return opening_; }
    QString problem() const override { return problem_; }
    int track() const override { return open_ ? chapter_ + 1 : 0; }
    int tracks() const override { return open_ ? chapters_ : 0; }
    bool isPlaying() const override { return open_ && !paused_; }

    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void back() override;
    void step() override;
    void eject() override;

private:
    void mpvEvent(const mpv_event& event) override;
    void mpvFrameReady() override {}  // no picture is asked for: frames are taken undrawn
    void fail(const QString& problem);
    // Follows what a look at the device found.
    void follow(const discs::CdLook& look);
    void startOpening(const QByteArray& identity);
    // Lets go of the disc in the engine.
    void letGo();

    MpvSession session_;
    QString devicePath_;
    QTimer openDeadline_;
    bool looking_ = false;        // a drive is being asked
    discs::CdLook lastLook_;      // what the last look found
    QByteArray discIdentity_;     // the disc open or being read
    QByteArray passedOver_;       // a disc ejected or unreadable: not read again while it stays
    bool opening_ = false;
    bool open_ = false;
    bool paused_ = true;
    int chapter_ = 0;
    int chapters_ = 0;
    QString problem_;
};
