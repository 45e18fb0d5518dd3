#pragma once

#include "windows/Application.h"
#include "windows/frmSplash.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "media/MpvEngineFactory.h"
#include "media/WindowsMediaControl.h"
#include "support/TestApp.h"

// The whole program on the libmpv engines (without sound output), entered in Standard Mode.
struct RealProgram {
    MpvEngineFactory engines;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    Application app{engines, messages, dialogs};
    frmMain* main = nullptr;

    // Options other than the silent defaults: a CD disc image as the drive, for one.
    explicit RealProgram(MpvOptions options = MpvOptions{QStringLiteral("null"), {}}) : engines(std::move(options))
    {
        frmSplash& splash = app.forms().get<frmSplash>();
        splash.Option1->setValue(true);
        splash.Command1->click();
        main = &app.forms().get<frmMain>();
    }
    template <class T> T& form() { return app.forms().get<T>(); }
    WindowsMediaControl& screen() { return *main->screenAndAudio; }

    bool openThroughMenu(const QString& file)
    {
        dialogs.answers.push_back(file);
        main->mnufileopen->trigger();
        return waitFor([&] { return screen().OpenState() == WindowsMediaControl::OpenOpen; }, 15000) &&
               waitFor([&] { return form<Pro1>().Label13->text() == QStringLiteral("Amount of Times Played: 0") &&
                                    form<Pro1>().Label6->text() != QStringLiteral("Clip Length: 0 Seconds"); });
    }
};
