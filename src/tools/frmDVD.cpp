#include "tools/frmDVD.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "windows/Application.h"
#include "windows/ExitBox.h"
#include "main_window/OpenFilters.h"
#include "media/EngineFactory.h"
#include "media/WindowsMediaControl.h"

frmDVD::frmDVD(Application& app) : Form(app, "frmDVD", forms::Border::SizableToolWindow), app_(app)
{
    setCaption(tr("Zel DVD Player"));
    MediaPlayer1 = app.engines().createWindowsMedia(client());
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    forms::placeTw(MediaPlayer1, 0, 0, 4575, 3080);
    CommonDialog1 = std::make_unique<forms::CommonDialog>(app.fileDialogs(), this);

    QMenuBar* bar = makeMenuBar();
    mnufile = new forms::MenuItem("mnufile", tr("&File"), this);
    bar->addAction(mnufile);
    QMenu* file = addSubmenu(mnufile);
    mnufileopen = addMenuItem(file, "mnufileopen", tr("&Open DVD..."));
    mnufileopen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnufileBlank1 = addMenuItem(file, "mnufileBlank1", QStringLiteral("-"));
    mnufileproperties = addMenuItem(file, "mnufileproperties", tr("DVD Properties"));  // does nothing
    mnufileBlank2 = addMenuItem(file, "mnufileBlank2", QStringLiteral("-"));
    mnufileexit = addMenuItem(file, "mnufileexit", tr("Exit"));
    setMenuBar(bar);
    setClientSizeTw(4590, 3045);

    on(mnufileopen, &forms::MenuItem::Click, &frmDVD::mnufileopen_Click);
    on(mnufileexit, &forms::MenuItem::Click, &frmDVD::mnufileexit_Click);
    connect(MediaPlayer1, &WindowsMediaControl::Error, this,
            [this](const QString& description) { runEvent([&] { env().report(this, description); }); });
}

frmDVD::~frmDVD() = default;

void frmDVD::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

void frmDVD::Form_Resize()
{
    // The engine fills the client area, so its transport bar stays inside the window.
    MediaPlayer1->setGeometry(client()->rect());
    MediaPlayer1->setDisplaySize(WindowsMediaControl::SizeStretched);
    MediaPlayer1->setAllowSizeChange(true);
}

void frmDVD::mnufileopen_Click()
{
    CommonDialog1->Filter = kWindowsMediaFilter;
    if (!CommonDialog1->ShowOpen()) return;  // a cancelled dialog opens nothing
    MediaPlayer1->Open(CommonDialog1->DialogFileName());
}

void frmDVD::mnufileexit_Click()
{
    ExitBox& box = app_.forms().get<ExitBox>();
    box.Show();
    box.ask(tr("Do you wish to exit the Zel DVD Player application?"));
}
