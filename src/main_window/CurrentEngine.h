#pragma once

class Application;
class Player;
class RealRControl;

// The engine the remote-control menu items point at: the Windows-media engine, or the Real
// engine once a Real clip opened. It is steered through its remote control's own handlers, so
// the windows read as after a remote button; the desktop's media keys and the main window's
// keys both steer it so.
class CurrentEngine {
public:
    explicit CurrentEngine(Application& app) : app_(app) {}

    bool isReal() const;
    // A clip is loaded (opened, opening or stopped), so Play can act.
    bool hasClip() const;
    bool isPlaying() const;

    void play();  // does nothing with no clip
    void pause();
    void playPause();
    void stop();
    void louder();
    void quieter();
    void toggleMute();

    double position() const;  // seconds
    double length() const;
    // An exact seek, kept within the clip.
    void seekTo(double seconds);

private:
    // The button of the current engine's remote control.
    void press(void (RealRControl::*real)(), void (Player::*windowsMedia)());

    Application& app_;
};
