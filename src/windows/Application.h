#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "forms/Form.h"
#include "platform/LinuxSystem.h"

class EngineFactory;

// The program's context: its windows (one instance each), its engines, its dialogs and the
// operating system's services. Tests build one with engine doubles, scripted dialogs and, where
// they need it, a fake system.
class Application : public forms::Environment {
public:
    Application(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs)
        : Application(engines, messages, fileDialogs, ownSystem_)
    {
    }
    Application(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs,
                platform::System& system)
        : Environment(messages, fileDialogs), engines_(engines), system_(system), forms_(*this)
    {
    }

    forms::Forms<Application>& forms() { return forms_; }
    forms::FormRegistry& registry() override { return forms_; }
    EngineFactory& engines() { return engines_; }
    platform::System& system() { return system_; }

    // What the program sets beside the main window when it loads (the desktop's services: media
    // keys and sound menus on the session bus); tests that build windows leave it unset.
    void setMainWindowLoaded(std::function<void(QWidget& mainWindow)> action) { mainWindowLoaded_ = std::move(action); }
    void mainWindowLoaded(QWidget& mainWindow)
    {
        if (mainWindowLoaded_) mainWindowLoaded_(mainWindow);
    }

private:
    platform::LinuxSystem ownSystem_;  // used unless another is given
    EngineFactory& engines_;
    platform::System& system_;
    forms::Forms<Application> forms_;
    std::function<void(QWidget&)> mainWindowLoaded_;
};
