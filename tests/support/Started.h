#pragma once

#include "windows/frmSplash.h"
#include "main_window/frmMain.h"
#include "support/TestApp.h"

// The program on doubles, entered in a mode, with a clip opened through the menu when asked.
struct Started : TestApp {
    frmSplash& splash = app.forms().get<frmSplash>();

    explicit Started(bool decrypterMode = false)
    {
        (decrypterMode ? splash.Option2 : splash.Option1)->setValue(true);
        splash.Command1->click();
        settle();
    }
    frmMain& main() { return app.forms().get<frmMain>(); }
    FakeWindowsMediaControl& screen() { return *main().findChild<FakeWindowsMediaControl*>("screenAndAudio"); }
    FakeRealAudioControl& real() { return *main().findChild<FakeRealAudioControl*>("RealAudio1"); }
    template <class T> T& form() { return app.forms().get<T>(); }

    // Opens a clip through "Open Windows Media File" and lets the engine's events run.
    void openClip(const QString& name, const FakeWindowsMediaControl::Clip& clip)
    {
        screen().clips[name] = clip;
        dialogs.answers.push_back(name);
        main().mnufileopen->trigger();
        settle();
    }

    // A 320x240 video clip of the given length, opened through the menu; the engine's call log
    // starts empty afterwards.
    void openVideo(const QString& name, double seconds)
    {
        FakeWindowsMediaControl::Clip c;
        c.duration = seconds;
        c.width = 320;
        c.height = 240;
        openClip(name, c);
        screen().calls.clear();
    }
};
