#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <utility>

// An audio CD in a drive: its tracks, played one after another. Opening answers at once and
// reports what it found through changed(); with no drive or no disc, problem() says so. From
// then on the device follows the drive: checkDrive() looks at it (cheaply: no disc is read
// unless one has come), so a disc inserted is read, a disc taken out is let go and another disc
// is read in its place.
class CdAudioDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void open() = 0;
    virtual bool isOpen() const = 0;
    virtual bool isReading() const = 0;  // a disc has come and is being read
    // What the drive is doing when no disc is open: why there is none, or that one is being
    // read; empty once a disc is open.
    virtual QString problem() const = 0;
    // Looks at the drive and follows what has changed since the last look.
    virtual void checkDrive() = 0;
    virtual int track() const = 0;        // the current track, from 1; 0 with no disc
    virtual int tracks() const = 0;       // 0 with no disc
    virtual bool isPlaying() const = 0;

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;      // back to the start of the disc, not playing
    virtual void next() = 0;      // the next track
    virtual void previous() = 0;  // the previous track
    virtual void back() = 0;      // a few seconds back
    virtual void step() = 0;      // a few seconds on
    virtual void eject() = 0;     // the disc is let go (and a drive's tray opened)

    // How the device's own later work (a look at the drive that has finished) enters the
    // program, so that an engine that fails there is handled as on any other way in. Until it
    // is set, that work runs as it is.
    using Entry = std::function<void(const std::function<void()>&)>;
    void setEntry(Entry entry) { entry_ = std::move(entry); }

signals:
    void changed();

protected:
    void enter(const std::function<void()>& body) { entry_ ? entry_(body) : body(); }

private:
    Entry entry_;
};
