#include "tools/Form5.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "windows/Application.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "platform/FileNames.h"
#include "product/Product.h"

using forms::makeControl;

namespace {

constexpr int kFolderRole = Qt::UserRole;
constexpr int kFileNameRole = Qt::UserRole;
const QString kIndent = QStringLiteral("    ");

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) { setUniformItemSizes(true); }

void DirListBox::showFolder(const QString& path, const QStringList& subfolders)
{
    path_ = QDir::cleanPath(path);
    subfolders_ = static_cast<int>(subfolders.size());
    clear();
    // The folders from the root down, taken from the path's own names (which need not be text).
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto* root = new QListWidgetItem(open, QStringLiteral("/"), this);
    root->setData(kFolderRole, QStringLiteral("/"));
    int depth = 1;
    QString folder;
    for (const QString& name : path_.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        folder += QLatin1Char('/') + name;
        auto* item = new QListWidgetItem(open, kIndent.repeated(depth++) + platform::displayFileName(name), this);
        item->setData(kFolderRole, folder);
    }
    setCurrentRow(count() - 1);
    const QString indent = kIndent.repeated(depth);
    QStringList rows;
    for (const QString& name : subfolders) rows << indent + platform::displayFileName(name);
    const int first = count();
    addItems(rows);
    const QDir here(path_);
    for (int i = 0; i < subfolders_; ++i) {
        item(first + i)->setIcon(closed);
        item(first + i)->setData(kFolderRole, here.filePath(subfolders[i]));
    }
}

QString DirListBox::folderOf(const QListWidgetItem* item) { return item->data(kFolderRole).toString(); }

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) { setUniformItemSizes(true); }

void FileListBox::showFiles(const QString& path, const QStringList& files)
{
    path_ = QDir::cleanPath(path);
    clear();
    QStringList shown;
    shown.reserve(files.size());
    for (const QString& name : files) shown << platform::displayFileName(name);
    addItems(shown);
    // Each row keeps the file system's own name, which is what gets played.
    for (int i = 0; i < count(); ++i) item(i)->setData(kFileNameRole, files[i]);
}

QString FileListBox::fileName(const QListWidgetItem* item) { return item->data(kFileNameRole).toString(); }

Form5::Form5(Application& app) : Form(app, "Form5", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(QStringLiteral("Form5"));
    setClientSizeTw(8835, 4440);
    move(forms::toPixels(825), forms::toPixels(1050));
    Dir1 = makeControl<DirListBox>(client(), "Dir1", 60, 60, 4215, 3690);
    File1 = makeControl<FileListBox>(client(), "File1", 4320, 45, 2775, 3600);
    Drive1 = makeControl<QComboBox>(client(), "Drive1", 60, 4080, 4215, 315);
    Combo1 = makeControl<QComboBox>(client(), "Combo1", 4320, 4080, 2775, 315);
    Combo1->setEditable(true);
    Combo1->setEditText(QStringLiteral("Combo1"));
    Command1 = makeControl<forms::CommandButton>(client(), "Command1", 7200, 60, 1575, 615, tr("Ok"));
    Command2 = makeControl<forms::CommandButton>(client(), "Command2", 7200, 720, 1575, 615, tr("Cancel"));
    Label1 = makeControl<QLabel>(client(), "Label1", 120, 3840, 4095, 255, tr("Number folders in this folder:"));
    Label2 = makeControl<QLabel>(client(), "Label2", 4320, 3720, 2775, 375, tr("Number of files in folder:"));
    Drive1->setAccessibleName(tr("Drive"));
    Dir1->setAccessibleName(tr("Folders"));
    File1->setAccessibleName(tr("Files"));
    // The box does nothing; a listener is told so rather than its design name.
    Combo1->setAccessibleName(tr("Unused box"));
    Combo1->lineEdit()->setAccessibleName(tr("Unused box"));
    forms::setTabOrder({Drive1, Dir1, File1, Combo1, Command1, Command2});

    pendingCheck_.setInterval(100);
    connect(&pendingCheck_, &QTimer::timeout, this, &Form5::finishPendingRead);
    on(Drive1, &QComboBox::activated, &Form5::Drive1_Change);
    on(Dir1, &QListWidget::itemActivated, [this] {
        const QListWidgetItem* item = Dir1->currentItem();
        if (!item) return;
        const QString folder = DirListBox::folderOf(item);
        if (const QString problem = openFolder(folder); !problem.isEmpty())
            env().report(this, tr("%1 cannot open the folder \"%2\". %3")
                                            .arg(product::kTitle, platform::displayFileName(folder), problem));
        else Dir1_Change();
    });
    on(File1, &QListWidget::itemDoubleClicked, &Form5::File1_DblClick);
}

Form5::~Form5() = default;

void Form5::Form_Load()
{
    // The lists start on the working folder and the drive that holds it.
    const QString start = QDir::currentPath();
    const QStringList drives = platform::drives();
    Drive1->addItems(drives);
    qsizetype best = 0;
    for (qsizetype i = 0; i < drives.size(); ++i)
        if ((start == drives[i] || start.startsWith(drives[i] + QLatin1Char('/'))) && drives[i].size() > drives[best].size())
            best = i;
    shownDrive_ = static_cast<int>(best);
    Drive1->setCurrentIndex(shownDrive_);
    if (openFolder(start).isEmpty()) File1->showFiles(start, listing_.files);
}

QString Form5::openFolder(const QString& path)
{
    std::shared_ptr<platform::FolderRead> read = platform::FolderRead::start(path);
    platform::FolderListing listing = read->wait(kListingWaitMs);
    if (!listing.problem.isEmpty()) return listing.problem;
    listing_ = std::move(listing);
    pending_ = listing_.complete ? nullptr : read;
    if (pending_) pendingCheck_.start();
    else pendingCheck_.stop();
    Dir1->showFolder(path, listing_.folders);
    return {};
}

void Form5::finishPendingRead()
{
    if (!pending_ || !pending_->done()) return;
    pendingCheck_.stop();
    listing_ = pending_->wait(0);
    pending_.reset();
    Dir1->showFolder(Dir1->path(), listing_.folders);
    Dir1_Change();
    if (countedFolder_ == Dir1->path()) showFolderCount();
}

void Form5::showFolderCount()
{
    Label1->setText(tr("Number of folders in this folder: ") + QString::number(Dir1->ListCount()));
    countedFolder_ = Dir1->path();
}

void Form5::Drive1_Change()
{
    // A drive that cannot be read leaves everything as it was, the drive list included.
    if (!openFolder(Drive1->currentText()).isEmpty()) {
        Drive1->setCurrentIndex(shownDrive_);
        return;
    }
    shownDrive_ = Drive1->currentIndex();
    Dir1_Change();
    showFolderCount();
}

void Form5::Dir1_Change()
{
    File1->showFiles(Dir1->path(), listing_.files);
    Label2->setText(tr("Number of files in this folder: ") + QString::number(File1->ListCount()));
}

void Form5::File1_DblClick()
{
    // Any failure ends the handler quietly.
    try {
        QApplication::beep();
        const QListWidgetItem* item = File1->currentItem();
        if (!item) return;
        const QString path = QDir(File1->path()).filePath(FileListBox::fileName(item));
        frmMain& main = app_.forms().get<frmMain>();
        if (main.screenAndAudio->HasError()) {
            main.RealAudio1->SetSource(path);
            main.RealAudio1->PlayClip();
            main.switchEngine(frmMain::Engine::Real);
            Hide();
        } else {
            main.switchEngine(frmMain::Engine::WindowsMedia);
            main.screenAndAudio->setFileName(path);
            main.screenAndAudio->Play();
        }
    } catch (const std::exception&) {
    }
}
