#include "forms/Dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>
#include <utility>

namespace forms {

std::vector<FileFilter> parseFilter(const QString& filter)
{
    std::vector<FileFilter> out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter f;
        f.description = parts[i].trimmed();
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (!pattern.isEmpty()) f.patterns << pattern;
        }
        out.push_back(std::move(f));
    }
    return out;
}

CommonDialog::CommonDialog(FileDialogs& dialogs, QWidget* owner, QString title)
    : DialogTitle(std::move(title)), dialogs_(dialogs), owner_(owner)
{
}

bool CommonDialog::ShowOpen() { return run(FileDialogRequest::Kind::Open); }
bool CommonDialog::ShowSave() { return run(FileDialogRequest::Kind::Save); }

bool CommonDialog::run(FileDialogRequest::Kind kind)
{
    FileDialogRequest request;
    request.kind = kind;
    request.title = DialogTitle;
    request.filters = parseFilter(Filter);
    request.defaultExt = DefaultExt;
    request.initialFileName = fileName_;
    const FileDialogResult result = dialogs_.run(owner_, request);
    lastCancelled_ = result.cancelled;
    if (result.cancelled) return false;
    fileName_ = result.fileName;
    fileTitle_ = result.fileTitle.isEmpty() ? QFileInfo(result.fileName).fileName() : result.fileTitle;
    return true;
}

void CommonDialog::choose(const QString& fileName)
{
    fileName_ = fileName;
    fileTitle_ = QFileInfo(fileName).fileName();
    lastCancelled_ = false;
}

int titleWidth(const QString& title, const QFont& windowFont)
{
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    return std::max(QFontMetrics(titleFont).horizontalAdvance(title), QFontMetrics(windowFont).horizontalAdvance(title));
}

std::unique_ptr<QMessageBox> QtMessageBoxes::build(QWidget* owner, const QString& text, const QString& title)
{
    const QString caption = title.isEmpty() ? kAppTitle : title;
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    // A box sizes itself to its text; the title needs its own width in the title bar's font
    // (bold, and often larger than the windows' own) and the title bar's buttons beside it.
    constexpr int kTitleBarButtons = 120;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(titleWidth(caption, box->font()) + kTitleBarButtons, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

QtMessageBoxes::~QtMessageBoxes() { delete told_.data(); }

void QtMessageBoxes::show(QWidget* owner, const QString& text, const QString& title)
{
    std::unique_ptr<QMessageBox> box = build(owner, text, title);
    // The owner may go while the box waits (the program ends from outside): the box goes with
    // it and must not be deleted twice.
    const QPointer<QMessageBox> alive = box.get();
    box->exec();
    if (!alive) (void)box.release();
}

void QtMessageBoxes::tell(QWidget* owner, const QString& text, const QString& title)
{
    if (told_ && told_->isVisible()) {
        if (toldTexts_.contains(text)) return;
        if (toldTexts_.size() < kToldTexts) toldTexts_ << text;
        else ++toldMore_;
        // Many may come at once (a burst of calls from the desktop): the box is rewritten once.
        if (!std::exchange(refreshQueued_, true))
            QMetaObject::invokeMethod(told_, [this] { refreshTold(); }, Qt::QueuedConnection);
        return;
    }
    toldTexts_ = {text};
    toldMore_ = 0;
    told_ = build(owner, text, title).release();
    told_->setAttribute(Qt::WA_DeleteOnClose);
    told_->open();  // window-modal, no event loop of its own
}

void QtMessageBoxes::refreshTold()
{
    refreshQueued_ = false;
    if (!told_) return;
    QString text = toldTexts_.join(QStringLiteral("\n\n"));
    if (toldMore_ > 0)
        text += QStringLiteral("\n\n") +
                (toldMore_ == 1 ? QCoreApplication::translate("forms", "One more message came while this one was up.")
                                : QCoreApplication::translate("forms", "%1 more messages came while this one was up.").arg(toldMore_));
    told_->setText(text);
}

void QtMessageBoxes::closeTold()
{
    if (told_) told_->close();
}

FileDialogResult QtFileDialogs::run(QWidget* owner, const FileDialogRequest& request)
{
    QFileDialog dialog(owner, request.title);
    dialog.setAcceptMode(request.kind == FileDialogRequest::Kind::Open ? QFileDialog::AcceptOpen
                                                                       : QFileDialog::AcceptSave);
    dialog.setFileMode(request.kind == FileDialogRequest::Kind::Open ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    // Qt reads the patterns from the last bracketed group of each choice.
    QStringList nameFilters;
    for (const FileFilter& f : request.filters)
        nameFilters << QStringLiteral("%1 (%2)").arg(f.description, f.patterns.join(QLatin1Char(' ')));
    if (!nameFilters.isEmpty()) dialog.setNameFilters(nameFilters);
    dialog.setOption(QFileDialog::HideNameFilterDetails);  // show each choice as its description
    if (!request.defaultExt.isEmpty()) dialog.setDefaultSuffix(request.defaultExt);
    if (!request.initialFileName.isEmpty()) dialog.selectFile(request.initialFileName);

    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    result.cancelled = false;
    result.fileName = dialog.selectedFiles().constFirst();
    result.fileTitle = QFileInfo(result.fileName).fileName();
    return result;
}

}  // namespace forms
