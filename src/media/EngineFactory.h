#pragma once

class CdAudioDevice;
class QObject;
class QWidget;
class WindowsMediaControl;
class RealAudioControl;

// Builds the hosted engines for the windows that host them.
class EngineFactory {
public:
    virtual ~EngineFactory() = default;
    virtual WindowsMediaControl* createWindowsMedia(QWidget* host) = 0;
    virtual RealAudioControl* createRealAudio(QWidget* host) = 0;
    // The CD audio device of the system's drive.
    virtual CdAudioDevice* createCdAudio(QObject* owner) = 0;
    // Waits up to the time given for engines destroyed earlier to finish stopping; true when
    // all have.
    virtual bool finishTeardowns(int timeoutMs) { (void)timeoutMs; return true; }
};
