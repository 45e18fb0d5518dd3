#pragma once

#include <QObject>
#include <QString>

// An audio CD in a drive: its tracks, played one after another. Opening answers at once and
// reports what it found through changed(); with no drive or no disc, problem() says so.
class CdAudioDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void open() = 0;
    virtual bool isOpen() const = 0;
    virtual QString problem() const = 0;  // why no disc is open; empty while opening or open
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

signals:
    void changed();
};
