#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

#include "windows/Application.h"
#include "forms/Dialogs.h"
#include "media/EngineFactory.h"
#include "support/FakeCdAudioDevice.h"
#include "support/FakeRealAudioControl.h"
#include "support/FakeSystem.h"
#include "support/FakeWindowsMediaControl.h"

// Engine doubles, recorded in the order the windows create them.
class FakeEngineFactory : public EngineFactory {
public:
    std::vector<FakeWindowsMediaControl*> windowsMedia;
    std::vector<FakeRealAudioControl*> real;
    std::vector<FakeCdAudioDevice*> cd;
    int discTracks = 12;  // what the next CD device finds

    WindowsMediaControl* createWindowsMedia(QWidget* host) override
    {
        windowsMedia.push_back(new FakeWindowsMediaControl(host));
        return windowsMedia.back();
    }
    RealAudioControl* createRealAudio(QWidget* host) override
    {
        real.push_back(new FakeRealAudioControl(host));
        return real.back();
    }
    CdAudioDevice* createCdAudio(QObject* owner) override
    {
        cd.push_back(new FakeCdAudioDevice(owner));
        cd.back()->discTracks = discTracks;
        return cd.back();
    }
};

// Message boxes that record what they were asked to show, and whether the box waited.
class RecordingMessageBoxes : public forms::MessageBoxes {
public:
    struct Shown {
        QString text, title;
        bool waited = true;
    };
    std::vector<Shown> shown;
    void show(QWidget*, const QString& text, const QString& title) override
    {
        shown.push_back({text, title.isEmpty() ? forms::kAppTitle : title, true});
    }
    void tell(QWidget*, const QString& text, const QString& title) override
    {
        shown.push_back({text, title.isEmpty() ? forms::kAppTitle : title, false});
    }
};

// File dialogs answered from a script; an exhausted script cancels.
class ScriptedFileDialogs : public forms::FileDialogs {
public:
    std::deque<QString> answers;  // a file name, or an empty string to cancel
    std::vector<forms::FileDialogRequest> requests;

    forms::FileDialogResult run(QWidget*, const forms::FileDialogRequest& request) override
    {
        requests.push_back(request);
        forms::FileDialogResult r;
        if (answers.empty()) return r;
        const QString name = answers.front();
        answers.pop_front();
        if (name.isEmpty()) return r;
        r.cancelled = false;
        r.fileName = name;
        r.fileTitle = name.section(QLatin1Char('/'), -1);
        return r;
    }
};

// The program built with doubles, as each window test needs it.
struct TestApp {
    FakeEngineFactory engines;
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    FakeSystem system;
    Application app{engines, messages, dialogs, system};
};

// Lets queued events run until the condition holds or the deadline passes.
inline bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QElapsedTimer t;
    t.start();
    QTimer wake;  // wakes the wait now and then so the deadline is seen
    wake.start(25);
    while (!condition()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Runs everything already queued (engine events from the doubles, deferred deletions).
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
