#pragma once

#include "forms/Controls.h"
#include "forms/Form.h"

class Application;
class MMControl;

// The CD player: the multimedia control's button bar plays the disc; the display above it
// shows the current track and the number of tracks.
class CDPlayer : public forms::Form {
    Q_OBJECT
public:
    explicit CDPlayer(Application& app);

    void Form_Load() override;
    void MMControl1_StatusUpdate();

    forms::TextBox* Text1;
    MMControl* MMControl1;
};
