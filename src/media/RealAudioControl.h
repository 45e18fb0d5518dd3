#pragma once

#include <QString>
#include <QWidget>

// The hosted Real control: plays RealMedia (.rm, .ra, .rv) and .ram address lists. Members keep
// their dispatch ids beside them; values are read through methods. The widget's visibility is
// the hosting property Visible (0x80010007).
//
// Meanings this program gives the numbered members:
//   102 GetSource, 262 GetTitle, 263 GetAuthor, 264 GetCopyright, 346 GetComments (the clip's
//   description), 242 GetBandwidthAverage (bits per second), 265 GetClipHeight, 266 GetClipWidth,
//   310 GetNumLoop / 314 SetNumLoop (how many times a clip plays), 267 GetCanPause (true while
//   a clip plays), 281 GetEnableContextMenu (the right-click menu on the picture, on by default),
//   108 SetStatusText (text of the status line; empty shows the clip's title and time),
//   295 SetShowStatusLine (the status line under the picture).
// Events: RealTwoTextEvent(title, author) once a clip is open; RealTwoNumberEvent(position ms,
// length ms) right after it and at the end of the clip; RealOneTextEvent(picture size "w x h")
// once the picture size is known (at once for a clip without picture); RealNoArgumentEvent
// when playback stops by itself at the end of the clip.
class RealAudioControl : public QWidget {
    Q_OBJECT
public:
    explicit RealAudioControl(QWidget* parent) : QWidget(parent) {}

    virtual void SetSource(const QString& path) = 0;  // 215
    virtual QString GetSource() const = 0;            // 102
    virtual void PlayClip() = 0;                      // 257
    virtual void PauseClip() = 0;                     // 258
    virtual void StopClip() = 0;                      // 202
    virtual int GetVolume() const = 0;                // 226, 0..100
    virtual void SetVolume(short volume) = 0;         // 227, kept within 0..100
    virtual void SetMute(bool on) = 0;                // 229
    virtual bool GetMute() const = 0;                 // 230
    virtual long GetPosition() const = 0;             // 259, ms
    virtual void SetPosition(long ms) = 0;            // 269
    virtual long GetLength() const = 0;               // 261, ms
    virtual QString GetTitle() const = 0;             // 262
    virtual QString GetAuthor() const = 0;            // 263
    virtual QString GetCopyright() const = 0;         // 264
    virtual QString GetComments() const = 0;          // 346
    virtual long GetBandwidthAverage() const = 0;     // 242
    virtual int GetClipHeight() const = 0;            // 265
    virtual int GetClipWidth() const = 0;             // 266
    virtual short GetNumLoop() const = 0;             // 310
    virtual void SetNumLoop(short count) = 0;         // 314
    virtual bool GetCanPause() const = 0;             // 267
    virtual bool GetEnableContextMenu() const = 0;    // 281
    virtual void SetStatusText(const QString& text) = 0;  // 108
    virtual void SetShowStatusLine(bool on) = 0;      // 295

signals:
    void RealTwoTextEvent(const QString& title, const QString& author);
    void RealNoArgumentEvent();
    void RealTwoNumberEvent(long first, long second);
    void RealOneTextEvent(const QString& text);
    // Raised when a source cannot be opened or played.
    void Error(const QString& description);
};
