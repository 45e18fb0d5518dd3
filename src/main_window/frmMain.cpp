#include "main_window/frmMain.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include "app/Application.h"
#include "forms/Twips.h"
#include "media/EngineFactory.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"

using forms::makeControl;

namespace {

constexpr int kStatusBarHeightTw = 330;

QFrame* pictureBox(QWidget* parent, const char* name, int l, int t, int w, int h, forms::ColorNumber back)
{
    auto* box = makeControl<QFrame>(parent, name, l, t, w, h);
    forms::setBackColor(box, back);
    return box;
}

QLineEdit* textBox(QWidget* parent, const char* name, int l, int t, int w, int h)
{
    auto* box = makeControl<QLineEdit>(parent, name, l, t, w, h);
    box->setAccessibleName(QString::fromLatin1(name));
    return box;
}

}  // namespace

frmMain::frmMain(Application& app) : Form(app, "frmMain", forms::Border::FixedSingle), app_(app)
{
    setCaption(tr("ZelPlayer Plus"));
    buildMenus();
    setClientSizeTw(4680, 4365);
    setBackColor(forms::kSysInactiveBorder);
    buildControls();
}

frmMain::~frmMain() = default;

void frmMain::buildControls()
{
    QWidget* c = client();
    Text3 = pictureBox(c, "Text3", 0, 3600, 4695, 795, forms::kSysScrollBar);
    Label2 = textBox(c, "Label2", 0, 3600, 2895, 375);
    Text2 = pictureBox(c, "Text2", 0, 0, 4695, 3135, forms::kSysMenuBar);
    RealAudio1 = app_.engines().createRealAudio(Text2);
    RealAudio1->setObjectName(QStringLiteral("RealAudio1"));
    forms::placeTw(RealAudio1, 1200, 600, 2295, 2055);
    RealAudio1->setVisible(false);
    sbStatusBar = new forms::StatusBar(c);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    Label3 = textBox(c, "Label3", 2880, 3600, 1815, 375);
    forms::setBackColor(Label3, forms::kSysMenuBar);
    Text1 = textBox(c, "Text1", 0, 840, 4695, 285);
    Text1->setText(QStringLiteral("C:\\WINDOWS\\media\\The Microsoft Sound.wav"));
    Text1->setVisible(false);
    Label1 = pictureBox(c, "Label1", 0, 0, 4695, 3300, forms::kSysMenuBar);
    Label5 = makeControl<QLabel>(c, "Label5", 0, 4080, 2535, 255);
    Label4 = makeControl<QLabel>(c, "Label4", 2640, 4080, 2055, 255);
    MediaPlayer1 = app_.engines().createWindowsMedia(c);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    forms::placeTw(MediaPlayer1, 0, 0, 4695, 2295);
    MediaPlayer1->setShowControls(false);  // it only plays the About sound, covered by the picture
    screenAndAudio = app_.engines().createWindowsMedia(c);
    screenAndAudio->setObjectName(QStringLiteral("screenAndAudio"));
    forms::placeTw(screenAndAudio, 0, 0, 4695, 3975);

    // Creation order is the stacking order, back to front.
    for (QWidget* w : std::initializer_list<QWidget*>{Text3, Label2, Text2, sbStatusBar, Label3, Text1, Label1, Label5,
                                                      Label4, MediaPlayer1, screenAndAudio})
        w->raise();
    placeStatusBar();
    screenAndAudio->setFocus();
    connectEngines();

    CommonDialog1 = std::make_unique<forms::CommonDialog>(app_.fileDialogs(), this, tr("Open Video or Audio File"));
    CommonDialog2 = std::make_unique<forms::CommonDialog>(app_.fileDialogs(), this);
    Timer1 = new forms::FormTimer("Timer1", 0, true, this);
    Ff = new forms::FormTimer("Ff", 0, true, this);
    Re = new forms::FormTimer("Re", 10, false, this);
}

forms::MenuItem* frmMain::item(QMenu* menu, const char* name, const QString& caption)
{
    auto* it = new forms::MenuItem(name, caption, this);
    menu->addAction(it);
    return it;
}

QMenu* frmMain::submenu(forms::MenuItem* parent)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(parent->objectName() + QStringLiteral("Menu"));
    parent->setMenu(menu);
    return menu;
}

void frmMain::buildMenus()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);

    mnufile = new forms::MenuItem("mnufile", tr("&File"), this);
    bar->addAction(mnufile);
    QMenu* file = submenu(mnufile);
    mnufileopenfile = item(file, "mnufileopenfile", tr("&Open..."));
    QMenu* open = submenu(mnufileopenfile);
    mnufileopen = item(open, "mnufileopen", tr("&Open Windows Media File"));
    mnufileopen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnufileopenreal = item(open, "mnufileopenreal", tr("&Open RealPlayer File"));
    Divison7 = item(open, "Divison7", QStringLiteral("-"));
    mnufileopenurl = item(open, "mnufileopenurl", tr("&OpenURL..."));
    mnuFileDivision1 = item(file, "mnuFileDivision1", QStringLiteral("-"));
    mnufilecompression = item(file, "mnufilecompression", tr("File Compression"));
    mnufileDivision2 = item(file, "mnufileDivision2", QStringLiteral("-"));
    mnufileproperties = item(file, "mnufileproperties", tr("&Clip Properties"));
    mnufileproperties->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnufileDivision3 = item(file, "mnufileDivision3", QStringLiteral("-"));
    mnufileExit = item(file, "mnufileExit", tr("Exit"));

    mnuview = new forms::MenuItem("mnuview", tr("&View"), this);
    bar->addAction(mnuview);
    QMenu* view = submenu(mnuview);
    mnuviewfullscreen = item(view, "mnuviewfullscreen", tr("Full &Screen") + QString(12, QLatin1Char(' ')) + "Alt+Enter");
    mnuViewDivision1 = item(view, "mnuViewDivision1", QStringLiteral("-"));
    mnuviewzoom = item(view, "mnuviewzoom", tr("&Zoom"));
    QMenu* zoom = submenu(mnuviewzoom);
    mnuviewoneeighthscreen = item(zoom, "mnuviewoneeighthscreen", tr("&Fit to window"));
    mnuviewDivision2 = item(zoom, "mnuviewDivision2", QStringLiteral("-"));
    mnuviewhalfscreen = item(zoom, "mnuviewhalfscreen", tr("&50%") + QString(17, QLatin1Char(' ')) + "Alt+1");
    mnuviewSixteenth = item(zoom, "mnuviewSixteenth", tr("&75%"));
    mnuviewDefaultscreen = item(zoom, "mnuviewDefaultscreen", tr("90%"));
    mnuviewactual = item(zoom, "mnuviewactual", tr("&100%") + QString(15, QLatin1Char(' ')) + "Alt+2");
    mnuviewdouble = item(zoom, "mnuviewdouble", tr("&200%") + QString(15, QLatin1Char(' ')) + "Alt+3");
    mnuviewDivision3 = item(view, "mnuviewDivision3", QStringLiteral("-"));
    mnuViewToolbar = item(view, "mnuViewToolbar", tr("&Remote Control"));
    mnuViewToolbar->setEnabled(false);
    mnuviewreal = item(view, "mnuviewreal", tr("&Real Audio Remote Control"));
    mnuviewreal->setEnabled(false);
    mnuviewstatusbar = item(view, "mnuviewstatusbar", tr("&Status Bar"));
    mnuviewDivision4 = item(view, "mnuviewDivision4", QStringLiteral("-"));
    mnuviewcalendar = item(view, "mnuviewcalendar", tr("&Calendar"));
    mnuviewDivision5 = item(view, "mnuviewDivision5", QStringLiteral("-"));
    mnuviewoptions = item(view, "mnuviewoptions", tr("&Options..."));
    QMenu* options = submenu(mnuviewoptions);
    mnuviewaudiosettings = item(options, "mnuviewaudiosettings", tr("ZelPlayer Plus &Settings"));
    mnuviewvideosettings = item(options, "mnuviewvideosettings", tr("Video &Settings"));
    mnuviewzelplayerplussettings = item(options, "mnuviewzelplayerplussettings", tr("Audio &Settings"));
    mnuviewoptionssystemsettings = item(options, "mnuviewoptionssystemsettings", tr("System &Settings"));
    mnuviewadditionalsettings = item(options, "mnuviewadditionalsettings", tr("Additional &Settings"));
    mnuviewchange = item(view, "mnuviewchange", tr("&Change User ID and &Change Password"));
    mnuviewcdplayer = item(view, "mnuviewcdplayer", tr("CD Player"));
    frmDVDPlayer = item(view, "frmDVDPlayer", tr("DVD Player"));
    mnuviewplaylist = item(view, "mnuviewplaylist", tr("Playlist"));

    mnuAbout = new forms::MenuItem("mnuAbout", tr("&About"), this);
    bar->addAction(mnuAbout);
    mnuhelp = new forms::MenuItem("mnuhelp", tr("&Help"), this);
    bar->addAction(mnuhelp);

    setMenuBar(bar);
    on(mnufileopen, &forms::MenuItem::Click, &frmMain::mnufileopen_Click);
    on(mnufileopenreal, &forms::MenuItem::Click, &frmMain::mnufileopenreal_Click);
    on(mnufileopenurl, &forms::MenuItem::Click, &frmMain::mnufileopenurl_Click);
    on(mnufileproperties, &forms::MenuItem::Click, &frmMain::mnufileproperties_Click);
    on(mnufilecompression, &forms::MenuItem::Click, &frmMain::mnufilecompression_Click);
    on(mnuviewaudiosettings, &forms::MenuItem::Click, &frmMain::mnuviewaudiosettings_Click);
    on(mnuviewreal, &forms::MenuItem::Click, &frmMain::mnuviewreal_Click);
    on(mnuViewToolbar, &forms::MenuItem::Click, &frmMain::mnuViewToolbar_Click);
    on(mnuhelp, &forms::MenuItem::Click, &frmMain::mnuhelp_Click);
    on(mnufileExit, &forms::MenuItem::Click, &frmMain::mnufileExit_Click);
    on(mnuAbout, &forms::MenuItem::Click, &frmMain::mnuAbout_Click);
    on(mnuviewchange, &forms::MenuItem::Click, &frmMain::mnuviewchange_Click);
    on(mnuviewplaylist, &forms::MenuItem::Click, &frmMain::mnuviewplaylist_Click);
    on(mnuviewcalendar, &forms::MenuItem::Click, &frmMain::mnuviewcalendar_Click);
    on(mnuviewoptionssystemsettings, &forms::MenuItem::Click, &frmMain::mnuviewoptionssystemsettings_Click);
    on(mnuviewvideosettings, &forms::MenuItem::Click, &frmMain::mnuviewvideosettings_Click);
    on(mnuviewzelplayerplussettings, &forms::MenuItem::Click, &frmMain::mnuviewzelplayerplussettings_Click);
    on(mnuviewoneeighthscreen, &forms::MenuItem::Click, &frmMain::mnuviewoneeighthscreen_Click);
    on(mnuviewhalfscreen, &forms::MenuItem::Click, &frmMain::mnuviewhalfscreen_Click);
    on(mnuviewSixteenth, &forms::MenuItem::Click, &frmMain::mnuviewSixteenth_Click);
    on(mnuviewDefaultscreen, &forms::MenuItem::Click, &frmMain::mnuviewDefaultscreen_Click);
    on(mnuviewactual, &forms::MenuItem::Click, &frmMain::mnuviewactual_Click);
    on(mnuviewdouble, &forms::MenuItem::Click, &frmMain::mnuviewdouble_Click);
    on(mnuviewfullscreen, &forms::MenuItem::Click, &frmMain::mnuviewfullscreen_Click);
    on(mnuviewstatusbar, &forms::MenuItem::Click, &frmMain::mnuviewstatusbar_Click);
    bindCaptionKeys();
}

void frmMain::bindCaptionKeys()
{
    const std::pair<QKeyCombination, forms::MenuItem*> keys[] = {
        {Qt::ALT | Qt::Key_Return, mnuviewfullscreen}, {Qt::ALT | Qt::Key_Enter, mnuviewfullscreen},
        {Qt::ALT | Qt::Key_1, mnuviewhalfscreen},      {Qt::ALT | Qt::Key_2, mnuviewactual},
        {Qt::ALT | Qt::Key_3, mnuviewdouble},
    };
    for (const auto& [key, menuItem] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, menuItem = menuItem] {
            // Only what the menu itself would offer: the item and its submenu enabled.
            const bool inZoomMenu = menuItem != mnuviewfullscreen;
            if (menuItem->isEnabled() && (!inZoomMenu || mnuviewzoom->isEnabled())) menuItem->trigger();
        });
    }
}

void frmMain::connectEngines()
{
    on(screenAndAudio, &WindowsMediaControl::OpenStateChange, &frmMain::screenAndAudio_OpenStateChange);
    on(screenAndAudio, &WindowsMediaControl::EndOfStream, &frmMain::screenAndAudio_EndOfStream);
    on(screenAndAudio, &WindowsMediaControl::PlayStateChange, &frmMain::screenAndAudio_PlayStateChange);
    on(screenAndAudio, &WindowsMediaControl::PositionChange, &frmMain::screenAndAudio_PositionChange);
    on(screenAndAudio, &WindowsMediaControl::MouseMove, &frmMain::screenAndAudio_MouseEvent);
    on(screenAndAudio, &WindowsMediaControl::MouseDown, &frmMain::screenAndAudio_MouseEvent);
    on(screenAndAudio, &WindowsMediaControl::NewStream, &frmMain::screenAndAudio_NewStream);
    connect(screenAndAudio, &WindowsMediaControl::Error, this,
            [this](const QString& d) { run([&] { engine_Error(d); }); });
    on(RealAudio1, &RealAudioControl::RealTwoTextEvent, &frmMain::RealAudio1_RealTwoTextEvent);
    on(RealAudio1, &RealAudioControl::RealNoArgumentEvent, &frmMain::RealAudio1_RealNoArgumentEvent);
    on(RealAudio1, &RealAudioControl::RealTwoNumberEvent, &frmMain::RealAudio1_RealTwoNumberEvent);
    on(RealAudio1, &RealAudioControl::RealOneTextEvent, &frmMain::RealAudio1_RealOneTextEvent);
    connect(RealAudio1, &RealAudioControl::Error, this,
            [this](const QString& d) { run([&] { engine_Error(d); }); });
}

void frmMain::Form_Load() { sbStatusBar->setVisible(true); }

void frmMain::mnuViewToolbar_Click()
{
    mnuViewToolbar->setCheckedMark(!mnuViewToolbar->checked());
    Player& remote = app_.forms().get<Player>();
    remote.setVisible(mnuViewToolbar->checked());
    screenAndAudio->setEnabled(true);
    if (screenAndAudio->PlayState() == WindowsMediaControl::Playing) remote.showPause();
    else remote.showPlay();
}

void frmMain::mnuhelp_Click() { app_.messages().show(this, QString(), tr("ZelPlayer Plus Help File")); }

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, as Exit's "Yes" does: the windows that are
    // only hidden would otherwise keep an invisible program running.
    event->accept();
    app_.endProgram();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    placeStatusBar();
}

void frmMain::bringRealPictureToFront(bool real)
{
    if (real) Text2->raise();
    else Text2->stackUnder(sbStatusBar);
}

void frmMain::placeStatusBar()
{
    // Aligned to the bottom edge, full width.
    const int h = forms::toPixels(kStatusBarHeightTw);
    sbStatusBar->setGeometry(0, client()->height() - h, client()->width(), h);
}
