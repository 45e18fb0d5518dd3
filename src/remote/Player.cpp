#include "remote/Player.h"

#include <QPushButton>

#include "app/Application.h"
#include "forms/Twips.h"

using forms::makeControl;

Player::Player(Application& app) : Form(app, "Player", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Remote Control"));
    setClientSizeTw(3375, 975);
    setBackColor(forms::kSysMenuBar);
    move(forms::toPixels(1395), forms::toPixels(5865));

    auto button = [this](const char* name, const QString& caption, int left, int top) {
        return makeControl<QPushButton>(client(), name, left, top, 855, 495, caption);
    };
    Un1 = button("Un1", tr("Play"), 0, 0);
    Un2 = button("Un2", tr("Pause"), 0, 0);
    Stop1 = button("Stop1", tr("Stop"), 840, 0);
    Command3 = button("Command3", tr("Rewind"), 1680, 0);
    Command4 = button("Command4", tr("Fast Forward"), 2520, 0);
    Vol1 = button("Vol1", tr("Volume +"), 0, 480);
    Volume2 = button("Volume2", tr("Volume -"), 840, 480);
    Mute1 = button("Mute1", tr("Mute"), 1680, 480);
    Ff = new forms::FormTimer("Ff", 10, false, this);
    Re = new forms::FormTimer("Re", 10, false, this);

    // Tab order by tab index.
    QWidget* order[] = {Vol1, Volume2, Un1, Command4, Command3, Stop1, Mute1, Un2};
    for (size_t i = 0; i + 1 < std::size(order); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void Player::Form_Load() { Hide(); }
