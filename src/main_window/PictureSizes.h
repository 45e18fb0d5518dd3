#pragma once

#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"
#include "settings/Vid1.h"

// The picture sizes the program offers: each display-size code with the main window's menu item
// that chooses it and, where there is one, the video configuration's zoom option for it. The
// menu items are the one check-mark group of the View menu.
struct PictureSize {
    WindowsMediaControl::DisplaySizeCode code;
    forms::MenuItem* frmMain::*menuItem;
    forms::OptionButton* Vid1::*zoomOption;  // nullptr: the video configuration has none
};

inline constexpr PictureSize kPictureSizes[] = {
    {WindowsMediaControl::SizeFitted, &frmMain::mnuviewoneeighthscreen, &Vid1::Option6},
    {WindowsMediaControl::SizeHalf, &frmMain::mnuviewhalfscreen, &Vid1::Option1},
    {WindowsMediaControl::SizeThreeQuarters, &frmMain::mnuviewSixteenth, &Vid1::Option2},
    {WindowsMediaControl::SizeOwn, &frmMain::mnuviewDefaultscreen, &Vid1::Option5},
    {WindowsMediaControl::SizeOwn, &frmMain::mnuviewactual, nullptr},
    {WindowsMediaControl::SizeDouble, &frmMain::mnuviewdouble, nullptr},
    {WindowsMediaControl::SizeFullScreen, &frmMain::mnuviewfullscreen, nullptr},
};
