#pragma once

#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"

// The picture sizes the main window offers: each display-size code with the menu item that
// chooses it. The menu items are the one check-mark group of the View menu; where two items
// choose one code, the first stands for it.
struct PictureSize {
    WindowsMediaControl::DisplaySizeCode code;
    forms::MenuItem* frmMain::*menuItem;
};

inline constexpr PictureSize kPictureSizes[] = {
    {WindowsMediaControl::SizeFitted, &frmMain::mnuviewoneeighthscreen},
    {WindowsMediaControl::SizeHalf, &frmMain::mnuviewhalfscreen},
    {WindowsMediaControl::SizeThreeQuarters, &frmMain::mnuviewSixteenth},
    {WindowsMediaControl::SizeOwn, &frmMain::mnuviewDefaultscreen},
    {WindowsMediaControl::SizeOwn, &frmMain::mnuviewactual},
    {WindowsMediaControl::SizeDouble, &frmMain::mnuviewdouble},
    {WindowsMediaControl::SizeFullScreen, &frmMain::mnuviewfullscreen},
};
