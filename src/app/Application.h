#pragma once

#include "forms/Form.h"

class EngineFactory;

// The program's context: its windows (one instance each), its engines and its dialogs. Tests
// build one with engine doubles and scripted dialogs.
class Application : public forms::Environment {
public:
    Application(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs)
        : Environment(messages, fileDialogs), engines_(engines), forms_(*this)
    {
    }

    forms::Forms<Application>& forms() { return forms_; }
    forms::FormRegistry& registry() override { return forms_; }
    EngineFactory& engines() { return engines_; }

private:
    EngineFactory& engines_;
    forms::Forms<Application> forms_;
};
