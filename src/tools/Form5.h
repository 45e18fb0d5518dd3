#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QTimer>
#include <memory>

#include "forms/Form.h"
#include "platform/FolderListing.h"

class Application;
class QLabel;
class QPushButton;

// Folder list: the folders from the root down to the current one, then the current folder's
// subfolders, each indented one step further.
class DirListBox : public QListWidget {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent = nullptr);

    const QString& path() const { return path_; }
    // How many subfolders it lists below the current folder.
    int ListCount() const { return subfolders_; }
    void showFolder(const QString& path, const QStringList& subfolders);
    // The folder an entry stands for.
    static QString folderOf(const QListWidgetItem* item);

private:
    QString path_;
    int subfolders_ = 0;
};

// File list: the files of one folder.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    const QString& path() const { return path_; }
    int ListCount() const { return count(); }
    void showFiles(const QString& path, const QStringList& files);
    // The file system's name of a row's file (the row shows it as text).
    static QString fileName(const QListWidgetItem* item);

private:
    QString path_;
};

// The file browser: drives, folders and files; a double-click on a file plays it in the main
// window, with the engine the Windows-media engine's last open calls for.
class Form5 : public forms::Form {
    Q_OBJECT
public:
    explicit Form5(Application& app);
    ~Form5() override;

    void Form_Load() override;
    void Drive1_Change();
    void Dir1_Change();
    void File1_DblClick();

    QComboBox* Drive1;
    DirListBox* Dir1;
    FileListBox* File1;
    QComboBox* Combo1;
    QPushButton* Command1;
    QPushButton* Command2;
    QLabel* Label1;
    QLabel* Label2;

    // How long a folder may take to list before the window shows what it has.
    static constexpr int kListingWaitMs = 250;

private:
    // Reads the folder into Dir1; why it cannot be read (and nothing changed), empty when read.
    // A folder that takes longer than the wait shows what was read by then, and the rest when
    // it comes.
    QString openFolder(const QString& path);
    void showFolderCount();
    void finishPendingRead();

    Application& app_;
    platform::FolderListing listing_;
    std::shared_ptr<platform::FolderRead> pending_;
    QTimer pendingCheck_;
    int shownDrive_ = 0;     // the drive the folder list is on
    QString countedFolder_;  // the folder Label1 counts, once a drive change has counted one
};
