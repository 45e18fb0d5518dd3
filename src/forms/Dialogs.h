#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "product/Product.h"

class QFont;
class QMessageBox;
class QWidget;

// Message boxes and file dialogs go through these seams: the program uses real Qt dialogs,
// tests script the answers. A modal wait happens only inside a handler of the person's own
// click; nothing that comes from elsewhere waits in a box.
namespace forms {

inline const QString kAppTitle = product::kTitle;

// OK button only, no icon; an empty title means the application title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Waits for OK, inside the handler of the person's own click that shows it.
    virtual void show(QWidget* owner, const QString& text, const QString& title = {}) = 0;
    // Shows the box and returns at once: for what comes from outside the person's own clicks
    // (the desktop, a drop, a timer, an engine's event). At most one such box is up; what comes
    // while it is up is added to it.
    virtual void tell(QWidget* owner, const QString& text, const QString& title = {}) = 0;
    // The program ends: a box that tell() put up goes.
    virtual void closeTold() {}
};

struct FileFilter {
    QString description;
    QStringList patterns;
};

// Parses "description|pattern" pairs ("Audio (*.mp3;*.wav)|*.mp3;*.wav|All|*.*") into one
// choice per pair; blanks round descriptions and patterns are dropped.
std::vector<FileFilter> parseFilter(const QString& filter);

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    std::vector<FileFilter> filters;
    QString defaultExt;
    QString initialFileName;
};

struct FileDialogResult {
    bool cancelled = true;
    QString fileName;   // with folder
    QString fileTitle;  // without folder
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult run(QWidget* owner, const FileDialogRequest& request) = 0;
};

// The common dialog control: keeps a filter, a title and the last chosen name. A cancelled
// dialog keeps the previous name; whether the last showing was cancelled can be asked.
class CommonDialog {
public:
    CommonDialog(FileDialogs& dialogs, QWidget* owner, QString title = {});

    QString Filter;
    QString DialogTitle;
    QString DefaultExt;

    // Shows the dialog and returns when it is closed; true when a file was chosen.
    bool ShowOpen();
    bool ShowSave();

    // Takes the name as if it had been chosen in the dialog (a name given from outside the
    // windows: the command line, a drop, the desktop).
    void choose(const QString& fileName);

    const QString& DialogFileName() const { return fileName_; }
    const QString& DialogFileTitle() const { return fileTitle_; }
    bool lastCancelled() const { return lastCancelled_; }

private:
    bool run(FileDialogRequest::Kind kind);

    FileDialogs& dialogs_;
    QWidget* owner_;
    QString fileName_;
    QString fileTitle_;
    bool lastCancelled_ = false;
};

// How wide a window's title is in the title bar, whose font the desktop chooses (bold, often
// larger than the window's own font).
int titleWidth(const QString& title, const QFont& windowFont);

// Real dialogs.
class QtMessageBoxes : public MessageBoxes {
public:
    ~QtMessageBoxes() override;
    void show(QWidget* owner, const QString& text, const QString& title) override;
    void tell(QWidget* owner, const QString& text, const QString& title) override;
    void closeTold() override;
    // The box show() shows: at least as wide as its title needs, with the title bar's buttons.
    static std::unique_ptr<QMessageBox> build(QWidget* owner, const QString& text, const QString& title);

    // The told box shows this many texts; the rest are counted.
    static constexpr int kToldTexts = 3;

private:
    void refreshTold();

    QPointer<QMessageBox> told_;  // owned by its owner window, or by itself once closed
    QStringList toldTexts_;
    int toldMore_ = 0;
    bool refreshQueued_ = false;
};

class QtFileDialogs : public FileDialogs {
public:
    FileDialogResult run(QWidget* owner, const FileDialogRequest& request) override;
};

}  // namespace forms
