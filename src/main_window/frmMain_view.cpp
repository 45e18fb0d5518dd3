// The main window's picture-size, full-screen, status-bar and settings commands.
#include <QPushButton>
#include <QSlider>

#include "windows/Application.h"
#include "main_window/PictureSizes.h"
#include "main_window/frmMain.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"
#include "settings/PlaySet.h"
#include "settings/Vid1.h"

namespace {
constexpr int kHeightWithStatusBarTw = 5370;
constexpr int kHeightWithoutStatusBarTw = 5010;
}  // namespace

void frmMain::checkSizeItem(forms::MenuItem* item)
{
    for (const PictureSize& size : kPictureSizes)
        if (this->*size.menuItem != item) (this->*size.menuItem)->setCheckedMark(false);
    item->setCheckedMark(true);
}

void frmMain::chooseDisplaySize(int code)
{
    screenAndAudio->setDisplaySize(code);
    for (const PictureSize& size : kPictureSizes)
        if (size.code == code) return checkSizeItem(this->*size.menuItem);
}

void frmMain::chooseZoom(forms::MenuItem* item)
{
    for (const PictureSize& size : kPictureSizes)
        if (this->*size.menuItem == item) screenAndAudio->setDisplaySize(size.code);
    checkSizeItem(item);
}

void frmMain::mnuviewfullscreen_Click()
{
    screenAndAudio->setEnabled(true);
    screenAndAudio->setDisplaySize(WindowsMediaControl::SizeFullScreen);
    screenAndAudio->setAllowSizeChange(true);
    screenAndAudio->setEnableFullScreenControls(false);
    checkSizeItem(mnuviewfullscreen);
    screenAndAudio->setShowControls(false);          // 1021
    screenAndAudio->setShowPositionControls(false);  // 1025
}

void frmMain::mnuviewstatusbar_Click()
{
    mnuviewstatusbar->setCheckedMark(!mnuviewstatusbar->checked());
    sbStatusBar->setVisible(mnuviewstatusbar->checked());
    setHeightTw(mnuviewstatusbar->checked() ? kHeightWithStatusBarTw : kHeightWithoutStatusBarTw);
    app_.forms().get<PlaySet>().Command3->setEnabled(false);
}

void frmMain::giveInputBack()
{
    screenAndAudio->setEnabled(true);
    setEnabled(true);
    app_.forms().get<Player>().setEnabled(true);
}

void frmMain::mnuviewvideosettings_Click()
{
    Vid1& v = app_.forms().get<Vid1>();
    v.Show();
    v.showDisplaySize(screenAndAudio->DisplaySize());
    v.Check1->setValue(screenAndAudio->AllowSizeChange() ? 1 : 0);
    v.Check2->setValue(screenAndAudio->EnableFullScreenControls() ? 1 : 0);
}

void frmMain::mnuviewzelplayerplussettings_Click()
{
    PlaySet& p = app_.forms().get<PlaySet>();
    const int balance = screenAndAudio->Balance();
    if (balance == 0) p.Slider1->setValue(5);
    if (balance == -9999) p.Slider1->setValue(0);
    if (balance == 9999) p.Slider1->setValue(10);
    const int volume = screenAndAudio->Volume();
    if (volume == 0) p.Slider2->setValue(10);
    if (volume == -200) p.Slider2->setValue(9);
    p.Option3->setValue(screenAndAudio->AutoRewind() ? 1 : 0);
    p.Show();
    screenAndAudio->setEnabled(false);
    p.Command3->setEnabled(false);
}
