#include "main_window/frmMain.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

#include "windows/Application.h"
#include "forms/Twips.h"
#include "main_window/CurrentEngine.h"
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

QLineEdit* textBox(QWidget* parent, const char* name, int l, int t, int w, int h, const QString& says)
{
    auto* box = makeControl<QLineEdit>(parent, name, l, t, w, h);
    box->setAccessibleName(says);
    return box;
}

}  // namespace

frmMain::frmMain(Application& app) : Form(app, "frmMain", forms::Border::FixedSingle), app_(app)
{
    setAcceptDrops(true);
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
    Label2 = textBox(c, "Label2", 0, 3600, 2895, 375, tr("Playback status"));
    Text2 = pictureBox(c, "Text2", 0, 0, 4695, 3135, forms::kSysMenuBar);
    RealAudio1 = app_.engines().createRealAudio(Text2);
    RealAudio1->setObjectName(QStringLiteral("RealAudio1"));
    forms::placeTw(RealAudio1, 1200, 600, 2295, 2055);
    RealAudio1->setVisible(false);
    sbStatusBar = new forms::StatusBar(c);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    Label3 = textBox(c, "Label3", 2880, 3600, 1815, 375, tr("Volume status"));
    forms::setBackColor(Label3, forms::kSysMenuBar);
    Text1 = textBox(c, "Text1", 0, 840, 4695, 285, tr("About sound"));
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

void frmMain::buildMenus()
{
    QMenuBar* bar = makeMenuBar();

    mnufile = new forms::MenuItem("mnufile", tr("&File"), this);
    bar->addAction(mnufile);
    QMenu* file = addSubmenu(mnufile);
    mnufileopenfile = addMenuItem(file, "mnufileopenfile", tr("&Open..."));
    QMenu* open = addSubmenu(mnufileopenfile);
    mnufileopen = addMenuItem(open, "mnufileopen", tr("&Open Windows Media File"));
    mnufileopen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnufileopenreal = addMenuItem(open, "mnufileopenreal", tr("&Open RealPlayer File"));
    Divison7 = addMenuItem(open, "Divison7", QStringLiteral("-"));
    mnufileopenurl = addMenuItem(open, "mnufileopenurl", tr("&OpenURL..."));
    mnuFileDivision1 = addMenuItem(file, "mnuFileDivision1", QStringLiteral("-"));
    mnufilecompression = addMenuItem(file, "mnufilecompression", tr("File Compression"));
    mnufileDivision2 = addMenuItem(file, "mnufileDivision2", QStringLiteral("-"));
    mnufileproperties = addMenuItem(file, "mnufileproperties", tr("&Clip Properties"));
    mnufileproperties->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    mnufileDivision3 = addMenuItem(file, "mnufileDivision3", QStringLiteral("-"));
    mnufileExit = addMenuItem(file, "mnufileExit", tr("Exit"));

    mnuview = new forms::MenuItem("mnuview", tr("&View"), this);
    bar->addAction(mnuview);
    QMenu* view = addSubmenu(mnuview);
    mnuviewfullscreen = addMenuItem(view, "mnuviewfullscreen", tr("Full &Screen") + QString(12, QLatin1Char(' ')) + "Alt+Enter");
    mnuViewDivision1 = addMenuItem(view, "mnuViewDivision1", QStringLiteral("-"));
    mnuviewzoom = addMenuItem(view, "mnuviewzoom", tr("&Zoom"));
    QMenu* zoom = addSubmenu(mnuviewzoom);
    mnuviewoneeighthscreen = addMenuItem(zoom, "mnuviewoneeighthscreen", tr("&Fit to window"));
    mnuviewDivision2 = addMenuItem(zoom, "mnuviewDivision2", QStringLiteral("-"));
    mnuviewhalfscreen = addMenuItem(zoom, "mnuviewhalfscreen", tr("&50%") + QString(17, QLatin1Char(' ')) + "Alt+1");
    mnuviewSixteenth = addMenuItem(zoom, "mnuviewSixteenth", tr("&75%"));
    mnuviewDefaultscreen = addMenuItem(zoom, "mnuviewDefaultscreen", tr("90%"));
    mnuviewactual = addMenuItem(zoom, "mnuviewactual", tr("&100%") + QString(15, QLatin1Char(' ')) + "Alt+2");
    mnuviewdouble = addMenuItem(zoom, "mnuviewdouble", tr("&200%") + QString(15, QLatin1Char(' ')) + "Alt+3");
    mnuviewDivision3 = addMenuItem(view, "mnuviewDivision3", QStringLiteral("-"));
    mnuViewToolbar = addMenuItem(view, "mnuViewToolbar", tr("&Remote Control"));
    mnuViewToolbar->setEnabled(false);
    mnuviewreal = addMenuItem(view, "mnuviewreal", tr("&Real Audio Remote Control"));
    mnuviewreal->setEnabled(false);
    mnuviewstatusbar = addMenuItem(view, "mnuviewstatusbar", tr("&Status Bar"));
    mnuviewDivision4 = addMenuItem(view, "mnuviewDivision4", QStringLiteral("-"));
    mnuviewcalendar = addMenuItem(view, "mnuviewcalendar", tr("&Calendar"));
    mnuviewDivision5 = addMenuItem(view, "mnuviewDivision5", QStringLiteral("-"));
    mnuviewoptions = addMenuItem(view, "mnuviewoptions", tr("&Options..."));
    QMenu* options = addSubmenu(mnuviewoptions);
    mnuviewaudiosettings = addMenuItem(options, "mnuviewaudiosettings", tr("ZelPlayer Plus &Settings"));
    mnuviewvideosettings = addMenuItem(options, "mnuviewvideosettings", tr("Video &Settings"));
    mnuviewzelplayerplussettings = addMenuItem(options, "mnuviewzelplayerplussettings", tr("Audio &Settings"));
    mnuviewoptionssystemsettings = addMenuItem(options, "mnuviewoptionssystemsettings", tr("System &Settings"));
    mnuviewadditionalsettings = addMenuItem(options, "mnuviewadditionalsettings", tr("Additional &Settings"));
    mnuviewchange = addMenuItem(view, "mnuviewchange", tr("&Change User ID and &Change Password"));
    mnuviewcdplayer = addMenuItem(view, "mnuviewcdplayer", tr("CD Player"));
    frmDVDPlayer = addMenuItem(view, "frmDVDPlayer", tr("DVD Player"));
    mnuviewplaylist = addMenuItem(view, "mnuviewplaylist", tr("Playlist"));

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
    on(frmDVDPlayer, &forms::MenuItem::Click, &frmMain::frmDVDPlayer_Click);
    on(mnuviewcdplayer, &forms::MenuItem::Click, &frmMain::mnuviewcdplayer_Click);
    on(mnuviewadditionalsettings, &forms::MenuItem::Click, &frmMain::mnuviewadditionalsettings_Click);
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

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Only when a clip is open, and only keys nothing else took: a text box keeps its keys and
    // the menus' shortcuts come first.
    CurrentEngine engine(app_);
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const double step = modifiers == Qt::NoModifier ? 5 : modifiers == Qt::ShiftModifier ? 1 : modifiers == Qt::ControlModifier ? 60 : 0;
    const bool plain = modifiers == Qt::NoModifier;
    std::function<void()> action;
    switch (event->key()) {
    case Qt::Key_Space: if (plain) action = [&] { engine.playPause(); }; break;
    case Qt::Key_Left: if (step > 0) action = [&] { engine.seekTo(engine.position() - step); }; break;
    case Qt::Key_Right: if (step > 0) action = [&] { engine.seekTo(engine.position() + step); }; break;
    case Qt::Key_Home: if (plain) action = [&] { engine.seekTo(0); }; break;
    case Qt::Key_Up: if (plain) action = [&] { engine.louder(); }; break;
    case Qt::Key_Down: if (plain) action = [&] { engine.quieter(); }; break;
    case Qt::Key_M: if (plain) action = [&] { engine.toggleMute(); }; break;
    case Qt::Key_F:  // as Alt+Enter
        if (plain && mnuviewfullscreen->isEnabled()) action = [&] { mnuviewfullscreen->trigger(); };
        break;
    default: break;
    }
    if (!action || !engine.hasClip()) return Form::keyPressEvent(event);
    event->accept();
    run(action);
}

void frmMain::connectEngines()
{
    onEvent(screenAndAudio, &WindowsMediaControl::OpenStateChange, &frmMain::screenAndAudio_OpenStateChange);
    onEvent(screenAndAudio, &WindowsMediaControl::EndOfStream, &frmMain::screenAndAudio_EndOfStream);
    onEvent(screenAndAudio, &WindowsMediaControl::PlayStateChange, &frmMain::screenAndAudio_PlayStateChange);
    onEvent(screenAndAudio, &WindowsMediaControl::PositionChange, &frmMain::screenAndAudio_PositionChange);
    on(screenAndAudio, &WindowsMediaControl::MouseMove, &frmMain::screenAndAudio_MouseEvent);
    on(screenAndAudio, &WindowsMediaControl::MouseDown, &frmMain::screenAndAudio_MouseEvent);
    onEvent(screenAndAudio, &WindowsMediaControl::NewStream, &frmMain::screenAndAudio_NewStream);
    on(screenAndAudio, &WindowsMediaControl::subtitleFileWanted, &frmMain::screenAndAudio_SubtitleFileWanted);
    on(screenAndAudio, &WindowsMediaControl::pictureFileWanted, &frmMain::screenAndAudio_PictureFileWanted);
    connect(screenAndAudio, &WindowsMediaControl::PictureSaved, this,
            [this](const QString&, const QString& problem) { runEvent([&] { screenAndAudio_PictureSaved(problem); }); });
    connect(screenAndAudio, &WindowsMediaControl::SubtitleRefused, this,
            [this](const QString& problem) { runEvent([&] { env().report(this, problem); }); });
    connect(screenAndAudio, &WindowsMediaControl::Resumed, this,
            [this](double seconds) { runEvent([&] { screenAndAudio_Resumed(seconds); }); });
    connect(screenAndAudio, &WindowsMediaControl::Error, this,
            [this](const QString& d) { runEvent([&] { engine_Error(d); }); });
    onEvent(RealAudio1, &RealAudioControl::RealTwoTextEvent, &frmMain::RealAudio1_RealTwoTextEvent);
    onEvent(RealAudio1, &RealAudioControl::RealNoArgumentEvent, &frmMain::RealAudio1_RealNoArgumentEvent);
    onEvent(RealAudio1, &RealAudioControl::RealTwoNumberEvent, &frmMain::RealAudio1_RealTwoNumberEvent);
    onEvent(RealAudio1, &RealAudioControl::RealOneTextEvent, &frmMain::RealAudio1_RealOneTextEvent);
    connect(RealAudio1, &RealAudioControl::Error, this,
            [this](const QString& d) { runEvent([&] { engine_Error(d); }); });
}

void frmMain::Form_Load()
{
    sbStatusBar->setVisible(true);
    app_.mainWindowLoaded(*this);
}

void frmMain::mnuViewToolbar_Click()
{
    mnuViewToolbar->setCheckedMark(!mnuViewToolbar->checked());
    Player& remote = app_.forms().get<Player>();
    remote.setVisible(mnuViewToolbar->checked());
    screenAndAudio->setEnabled(true);
    if (screenAndAudio->PlayState() == WindowsMediaControl::Playing) remote.showPause();
    else remote.showPlay();
}

void frmMain::mnuhelp_Click() { app_.report(this, QString(), tr("ZelPlayer Plus Help File")); }

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
