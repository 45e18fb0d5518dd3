#pragma once

#include <QList>
#include <QString>
#include <QWidget>

// The hosted Windows-media control: plays files and addresses with picture and sound. Members
// keep their dispatch ids beside them. The hosting properties Enabled (0x8001000D), Visible
// (0x80010007), Width (0x80010005) and Height (0x80010006) are the widget's own.
//
// Meanings this program gives the members it numbers:
//   1021 ShowControls          the built-in transport bar (play/pause, stop, volume)
//   1025 ShowPositionControls  the position slider on that bar
//   1045 ShowStatusBar         a status line under the picture (play state, position/length)
//   1035 IsBroadcast           the current source is a network address, not a file
//   1065 HasError              the last open failed (the file browser then tries the Real engine)
//   1042 BufferingProgress     0..100: how full the engine's read-ahead is; 100 for an open
//                              local file, 0 with nothing open
// DisplaySize (1032) codes, each drawn at the top centre of the control, keeping the aspect:
//   0 the picture's own size, 1 half size, 2 double size, 3 full screen, 4 stretched to fill
//   the control, 5 three quarters, 6 quarter size, 7 fitted into the control.
// A picture larger than the control is cut at the control's edges.
// MediaInfoText (2016) codes: 1 and 8 title, 2 and 9 author, 3 and 10 copyright, 4 and 11 the
// album, 5 the genre, 6 the date, 7 the encoder, 12 the description; any other code gives "".
// PacketsReceived (1039) counts what the engine has read from the clip's source, in packets of
// 1024 bytes (the read position in the file or stream).
// PlayState (1068) is 3 (waiting) while a clip is being opened.
class WindowsMediaControl : public QWidget {
    Q_OBJECT
public:
    enum PlayStateCode { Stopped = 0, Paused = 1, Playing = 2, Waiting = 3, Closed = 6 };
    enum OpenStateCode { OpenClosed = 0, OpenOpening = 5, OpenOpen = 6 };
    // DisplaySize codes (see above).
    enum DisplaySizeCode {
        SizeOwn = 0,
        SizeHalf = 1,
        SizeDouble = 2,
        SizeFullScreen = 3,
        SizeStretched = 4,
        SizeThreeQuarters = 5,
        SizeQuarter = 6,
        SizeFitted = 7,
    };
    static constexpr long kRepeatForever = 1000000000;

    explicit WindowsMediaControl(QWidget* parent) : QWidget(parent) {}

    virtual void Open(const QString& pathOrUrl) = 0;  // 2010
    virtual void Play() = 0;                          // 2001
    virtual void Pause() = 0;                         // 2002
    virtual void Stop() = 0;                          // 2003

    virtual QString FileName() const = 0;             // 1026
    virtual void setFileName(const QString& name) = 0;
    virtual double CurrentPosition() const = 0;       // 1027
    virtual void setCurrentPosition(double seconds) = 0;
    virtual double Duration() const = 0;              // 1003
    virtual int PlayState() const = 0;                // 1068
    virtual int OpenState() const = 0;                // 1006

    virtual int Volume() const = 0;                   // 19
    virtual void setVolume(int hundredthsDb) = 0;
    virtual int Balance() const = 0;                  // 20
    virtual void setBalance(int balance) = 0;
    virtual bool Mute() const = 0;                    // 1089
    virtual void setMute(bool on) = 0;

    virtual int DisplaySize() const = 0;              // 1032
    virtual void setDisplaySize(int code) = 0;
    virtual bool AllowSizeChange() const = 0;         // 1056
    virtual void setAllowSizeChange(bool on) = 0;
    virtual bool EnableFullScreenControls() const = 0;  // 1108
    virtual void setEnableFullScreenControls(bool on) = 0;
    virtual bool AutoRewind() const = 0;              // 1018
    virtual void setAutoRewind(bool on) = 0;
    virtual long PlayCount() const = 0;               // 1030
    virtual void setPlayCount(long count) = 0;

    virtual int PictureWidth() const = 0;             // 1001
    virtual int PictureHeight() const = 0;            // 1002
    virtual long DataRate() const = 0;                // 1037
    virtual long PacketsReceived() const = 0;         // 1039
    virtual int CodecCount() const = 0;               // 1057
    virtual QString CodecName(int index) const = 0;   // 2008, index 1..CodecCount
    virtual bool CodecInstalled(int index) const = 0; // 2007
    virtual QString MediaInfoText(int code) const = 0;  // 2016
    virtual QString PlayerId() const = 0;             // 1106

    virtual bool ShowControls() const = 0;            // 1021
    virtual void setShowControls(bool on) = 0;
    virtual bool ShowPositionControls() const = 0;    // 1025
    virtual void setShowPositionControls(bool on) = 0;
    virtual bool ShowStatusBar() const = 0;           // 1045
    virtual void setShowStatusBar(bool on) = 0;
    virtual bool IsBroadcast() const = 0;             // 1035
    virtual bool HasError() const = 0;                // 1065
    virtual int BufferingProgress() const = 0;        // 1042

    // Beyond the hosted control's members: what the picture's right-click menu offers.
    enum class TrackKind { Audio, Subtitle };
    struct Track {
        int id = 0;         // the engine's number for it
        QString label;      // its language and title where the clip names them
        bool selected = false;
    };
    virtual QList<Track> tracks(TrackKind kind) const = 0;
    // A subtitle id of 0 turns subtitles off.
    virtual void selectTrack(TrackKind kind, int id) = 0;
    // Shows a subtitle file with the clip; a name that is not a readable subtitle file of a
    // bounded size is refused with the reason.
    virtual void addSubtitleFile(const QString& path) = 0;
    virtual double speed() const = 0;
    // Times the clip's own speed, the pitch kept.
    virtual void setSpeed(double times) = 0;
    // The frame shown, at the clip's own size, as a PNG file; PictureSaved says how it went.
    virtual void savePicture(const QString& path) = 0;

    // Hosting properties in twips (window units).
    float WidthTw() const { return static_cast<float>(width() * 15); }
    float HeightTw() const { return static_cast<float>(height() * 15); }

signals:
    void OpenStateChange(int oldState, int newState);
    void PlayStateChange(int oldState, int newState);
    void EndOfStream(int result);
    void PositionChange(double oldPosition, double newPosition);
    void MouseMove(int button, int shift, int x, int y);
    void MouseDown(int button, int shift, int x, int y);
    void NewStream();
    // Raised when a clip cannot be opened or played; the engine is then closed (play state 6).
    void Error(const QString& description);
    // The picture menu's "Load subtitle file..." and "Save picture...": the window asks for a name.
    void subtitleFileWanted();
    void pictureFileWanted();
    // A saved picture: written, or why not (then `problem` is a sentence for the user).
    void PictureSaved(const QString& path, const QString& problem);
    // A subtitle file was refused, for the reason given.
    void SubtitleRefused(const QString& problem);
    // A clip opened where it was left the last time.
    void Resumed(double seconds);
};
