#pragma once

#include "forms/Controls.h"
#include <optional>

#include "forms/Form.h"

class Application;
class QGroupBox;
class QPushButton;

// The video configuration window: the remote's fast-forward and rewind speeds (read live by its
// timers) and the engine's picture size and full-screen options.
class Vid1 : public forms::Form {
    Q_OBJECT
public:
    explicit Vid1(Application& app);

    void Command1_Click();  // Ok
    void Command2_Click();  // Cancel
    void Command3_Click();  // Apply

    // Selects the zoom option for the picture's display-size code (none for a size it has no
    // option for).
    void showDisplaySize(int code);

    // Seconds per tick of the selected speed; nothing when no speed is selected or the custom
    // text is not a number.
    std::optional<double> fastForwardStep() const;
    std::optional<double> rewindStep() const;

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    forms::OptionButton* Option1;
    forms::OptionButton* Option2;
    forms::OptionButton* Option5;
    forms::OptionButton* Option6;
    QGroupBox* Frame3;
    forms::CheckBox* Check1;
    QGroupBox* Frame4;
    forms::CheckBox* Check2;
    QGroupBox* Frame6;
    forms::OptionButton* Option9;
    forms::OptionButton* Option10;
    forms::OptionButton* Option3;
    forms::OptionButton* Option4;
    forms::TextBox* Text1;
    QGroupBox* Frame5;
    forms::OptionButton* Option12;
    forms::OptionButton* Option11;
    forms::OptionButton* Option8;
    forms::OptionButton* Option7;
    forms::TextBox* Text2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;

private:
    void enableApply();
    // A speed group's custom text box is editable (white) only with "Custom Speed:".
    void setCustomSpeedBox(forms::TextBox* box, bool custom);

    Application& app_;
};
