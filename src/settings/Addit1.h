#pragma once

#include <optional>
#include <vector>

#include "forms/ColorNumber.h"
#include "forms/Form.h"

class Application;
class QComboBox;
class QGroupBox;
class QPushButton;

// Player preferences: one background colour for the whole program, painted on Apply over the
// windows and controls of the target list.
class Addit1 : public forms::Form {
    Q_OBJECT
public:
    explicit Addit1(Application& app);

    void Command1_Click() { Unload(); }  // Ok: nothing is applied
    void Command2_Click() { Unload(); }
    void Command3_Click();               // Apply

    QGroupBox* Frame1;
    QComboBox* Combo1;
    QGroupBox* Frame2;
    QComboBox* Combo2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

    // One row of the target list: a window, or one control of it, reached through the program
    // (a window that does not exist yet is created hidden, its load work done).
    struct Target {
        QWidget* (*locate)(Application&);
    };
    // Every window and control the full reach paints, in the order they are painted.
    static const std::vector<Target>& fullReach();
    // What "Blue" paints: the main window's background and four of its boxes.
    static const std::vector<Target>& mainWindowOnly();

    // The colour number of a list entry; none for "Select..." or a typed text.
    static std::optional<forms::ColorNumber> colourOf(int listIndex);

private:
    void paint(const std::vector<Target>& targets, forms::ColorNumber colour);

    Application& app_;
};
