#include "playlist/Form2.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "windows/Application.h"
#include "forms/NumberText.h"
#include "main_window/frmMain.h"
#include "media/MediaSource.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "platform/FileNames.h"
#include "richtext/RichTextBox.h"

using forms::makeControl;

namespace {

const QString kPlaylistFilter = QStringLiteral("ZelPlayer Playlist File (*.zpf*)|*.zpf*");
const QString kSeconds = QStringLiteral(" Seconds ");
// What a playlist file may hold: rows, and characters of one (a path is never longer).
constexpr qsizetype kMaxRows = 100000;
constexpr qsizetype kMaxNameChars = 4096;

// What a name row shows of its source: an address whole, a file by its name.
QString rowName(const QString& source) { return media_source::isAddress(source) ? source : QFileInfo(source).fileName(); }

// A playlist file holds a name a line: one with a line break cannot be kept whole.
bool fitsOnALine(const QString& source)
{
    return !source.contains(QLatin1Char('\n')) && !source.contains(QLatin1Char('\r'));
}

// How a playlist file in the folder names the source: media inside the folder relative to it,
// so that a folder of clips with its playlist plays wherever it is copied; anything else as it is.
QString asSavedIn(const QDir& folder, const QString& source)
{
    if (media_source::isAddress(source) || QDir::isRelativePath(source)) return source;
    const QString relative = folder.relativeFilePath(source);
    return relative.startsWith(QLatin1String("../")) || QDir::isAbsolutePath(relative) ? source : relative;
}

QListWidget* makeList(QWidget* parent, const char* name, int left, int width)
{
    auto* list = makeControl<QListWidget>(parent, name, left, 1680, width, 3765);
    list->setUniformItemSizes(true);  // one line a row: long lists need not measure each row
    return list;
}

}  // namespace

Form2::Form2(Application& app) : Form(app, "Form2", forms::Border::FixedToolWindow), app_(app)
{
    setCaption(tr("Playlist"));
    setAcceptDrops(true);
    setClientSizeTw(14085, 5475);
    // The two boxes stand right of the buttons, one above the other: at the places first drawn
    // for them (across the top, one over the other) the buttons hid their text.
    Combo1 = makeControl<QComboBox>(client(), "Combo1", 10680, 120, 3285, 315);
    Combo2 = makeControl<QComboBox>(client(), "Combo2", 10680, 555, 3285, 315);
    for (auto [combo, text] : {std::pair{Combo1, tr("Current Playlist...")}, std::pair{Combo2, tr("Load File...")}}) {
        combo->setEditable(true);
        // What is typed stays text: it adds no entry, so choosing one (Combo2_Click) never comes.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(text);
        combo->setAccessibleName(text);
        combo->lineEdit()->setAccessibleName(text);
    }
    Command1 = makeControl<forms::CommandButton>(client(), "Command1", 720, 120, 1935, 855, tr("Add current file to playlist"));
    Command2 = makeControl<forms::CommandButton>(client(), "Command2", 2760, 120, 1935, 855, tr("Remove file from playlist"));
    Command3 = makeControl<forms::CommandButton>(client(), "Command3", 4800, 120, 1935, 855, tr("Close"));
    Command4 = makeControl<forms::CommandButton>(client(), "Command4", 6840, 120, 1815, 855, tr("Save Playlist"));
    Command5 = makeControl<forms::CommandButton>(client(), "Command5", 8760, 120, 1815, 855, tr("Load Playlist"));
    Label1 = makeControl<QLabel>(client(), "Label1", 120, 1080, 975, 255, tr("Playlist Type:"));
    Option1 = makeControl<forms::OptionButton>(client(), "Option1", 1200, 1080, 2535, 255, tr("Windows Media Format Playlist"));
    Option2 = makeControl<forms::OptionButton>(client(), "Option2", 1200, 1320, 2535, 255, tr("Real Media Format Playlist"));
    List1 = makeList(client(), "List1", 120, 3375);
    List2 = makeList(client(), "List2", 3480, 1695);
    List3 = makeList(client(), "List3", 5160, 8895);
    List4 = makeList(client(), "List4", 120, 3375);
    List5 = makeList(client(), "List5", 3480, 1695);
    List6 = makeList(client(), "List6", 5160, 8895);
    const std::pair<QListWidget*, QString> descriptions[] = {
        {List1, tr("Windows Media names")}, {List2, tr("Windows Media lengths")}, {List3, tr("Windows Media paths")},
        {List4, tr("Real names")},          {List5, tr("Real lengths")},          {List6, tr("Real paths")}};
    for (const auto& [list, description] : descriptions) list->setAccessibleName(description);
    RichTextBox1 = makeControl<RichTextBox>(client(), "RichTextBox1", 120, 1680, 13575, 3735);
    RichTextBox1->setVisible(false);
    CommonDialog1 = std::make_unique<forms::CommonDialog>(app.fileDialogs(), this);
    forms::setTabOrder({Combo1, Command1, Command2, Command3, Command4, RichTextBox1, List1, Combo2, List2, Command5,
                        List3, List4, List5, List6, Option1, Option2});

    on(Command1, &QPushButton::clicked, &Form2::Command1_Click);
    on(Command2, &QPushButton::clicked, &Form2::Command2_Click);
    on(Command3, &QPushButton::clicked, &Form2::Command3_Click);
    on(Command4, &QPushButton::clicked, &Form2::Command4_Click);
    on(Command5, &QPushButton::clicked, &Form2::Command5_Click);
    on(List1, &QListWidget::itemDoubleClicked, &Form2::List1_DblClick);
    on(List4, &QListWidget::itemDoubleClicked, &Form2::List4_DblClick);
    on(Option1, &forms::OptionButton::Click, &Form2::Option1_Click);
    on(Option2, &forms::OptionButton::Click, &Form2::Option2_Click);
    on(Combo2, &QComboBox::activated, &Form2::Combo2_Click);
}

Form2::~Form2() = default;

std::array<QListWidget*, 3> Form2::columns(Set set) const
{
    return set == Set::Real ? std::array{List4, List5, List6} : std::array{List1, List2, List3};
}

void Form2::showSet(Set set)
{
    for (QListWidget* list : columns(set)) list->setVisible(true);
    for (QListWidget* list : columns(set == Set::Real ? Set::WindowsMedia : Set::Real)) list->setVisible(false);
}

void Form2::Option1_Click() { showSet(Set::WindowsMedia); }
void Form2::Option2_Click() { showSet(Set::Real); }

void Form2::writeBuffer() { RichTextBox1->setText(rows_.sources().join(QLatin1Char('\n'))); }

void Form2::Command1_Click()
{
    // The file the current engine has, however it was opened (the open dialogs, the file
    // browser, the command line, a drop, a row of this window).
    frmMain& main = app_.forms().get<frmMain>();
    const bool real = !main.RealAudio1->isHidden();
    const QString path = real ? main.RealAudio1->GetSource()
                              : main.screenAndAudio->OpenState() == WindowsMediaControl::OpenClosed ? QString()
                                                                                                    : main.screenAndAudio->FileName();
    if (path.isEmpty()) {
        env().report(this, tr("There is no current file to add. Open a file first."));
        return;
    }
    if (!fitsOnALine(path)) {
        env().report(this, cannotKeep(path));
        return;
    }
    if (real) addRow(Set::Real, forms::numText(static_cast<double>(main.RealAudio1->GetLength()) / 1000.0) + kSeconds, path);
    else addRow(Set::WindowsMedia, forms::numText(main.screenAndAudio->Duration()) + kSeconds, path);
    writeBuffer();
}

QString Form2::cannotKeep(const QString& source)
{
    return tr("A playlist cannot keep \"%1\": its name holds a line break.").arg(platform::displayFileName(source));
}

void Form2::addRow(Set set, const QString& length, const QString& source)
{
    (set == Set::Real ? Option2 : Option1)->setValue(true);
    const PlaylistRows::Row row{set, source, platform::displayFileName(rowName(source)), length, true};
    rows_.add(row);
    const auto [names, lengths, paths] = columns(set);
    names->addItem(row.name);
    lengths->addItem(row.length);
    paths->addItem(platform::displayFileName(source));
}

void Form2::addRows(const QStringList& targets)
{
    QString refused;
    for (const QString& target : targets) {
        if (!fitsOnALine(target)) {
            if (refused.isEmpty()) refused = cannotKeep(target);
            continue;
        }
        addRow(media_source::isRealName(target) ? Set::Real : Set::WindowsMedia, QString(), target);
    }
    writeBuffer();
    if (!refused.isEmpty()) env().report(this, refused);
}

void Form2::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void Form2::dropEvent(QDropEvent* event)
{
    const QStringList names = media_source::namesOf(*event->mimeData());
    event->acceptProposedAction();
    runEvent([&] {
        const media_source::CheckedNames checked = media_source::checkAll(names);
        addRows(checked.targets);
        if (!checked.refusal.isEmpty()) env().report(this, checked.refusal);
    });
}

void Form2::removeLastRow(Set set)
{
    // The row's line goes out of what Save writes with it.
    const PlaylistRows::Removed removed = rows_.removeLast(set);
    if (!removed.name) env().report(this, tr("No file to remove"));
    const auto [names, lengths, paths] = columns(set);
    if (removed.name) delete names->takeItem(names->count() - 1);
    if (removed.details)
        for (QListWidget* column : {lengths, paths}) delete column->takeItem(column->count() - 1);
    writeBuffer();
}

void Form2::Command2_Click()
{
    frmMain& main = app_.forms().get<frmMain>();
    if (!main.RealAudio1->isHidden()) {
        showSet(Set::Real);  // the option buttons stay as they are
        removeLastRow(Set::Real);
    } else {
        removeLastRow(Set::WindowsMedia);
    }
}

void Form2::prepareDialog()
{
    CommonDialog1->Filter = kPlaylistFilter;
    CommonDialog1->DefaultExt = QStringLiteral("zpf");
}

void Form2::Command4_Click()
{
    prepareDialog();
    if (!CommonDialog1->ShowSave()) return;  // a cancelled dialog saves nothing
    // Written to the full path chosen: the dialog does not change the working folder. The file
    // holds the buffer, the rows shown in the order they were added, a name a line: each a
    // full path, or relative to the file's folder for media inside it.
    const QString path = CommonDialog1->DialogFileName();
    const QDir folder = QFileInfo(path).absoluteDir();
    QStringList lines = rows_.sources();
    for (QString& line : lines) line = asSavedIn(folder, line);
    if (const QString problem = saveRtf(path, lines.join(QLatin1Char('\n'))); !problem.isEmpty())
        env().report(this, cannotSaveFile(path, problem));
}

void Form2::Command5_Click()
{
    prepareDialog();
    if (!CommonDialog1->ShowOpen()) return;  // a cancelled dialog loads nothing
    loadPlaylist(CommonDialog1->DialogFileName());
}

void Form2::loadFromOutside(const QString& path)
{
    Show();
    loadPlaylist(path);
}

void Form2::loadPlaylist(const QString& path)
{
    // Read off the UI thread, and no further than a playlist can go: a line longer than any
    // file name, or more rows than a list holds at once, is a file that is not a playlist.
    RichTextBox1->LoadFile(
        path, RichTextBox::FileKind::Rtf, [this, path](const QString& problem) { runEvent([&] { addLoadedRows(path, problem); }); },
        rtf::Limits{kMaxRows, kMaxNameChars});
}

void Form2::addLoadedRows(const QString& path, const QString& problem)
{
    if (!problem.isEmpty()) {
        env().report(this, cannotOpenFile(path, problem));
        return;
    }
    // One row per line that holds a name: its full path, or a name alone (as files written before
    // hold them, and files written by hand) taken from the playlist file's folder. The rows join
    // what the next Save writes.
    const QDir folder = QFileInfo(path).absoluteDir();
    QStringList shown;
    for (const QString& line : RichTextBox1->text().split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty()) continue;
        const media_source::Checked checked = media_source::resolve(line, folder);
        const QString source = checked.ok ? checked.target : line;
        const QString name = platform::displayFileName(rowName(source));
        rows_.add({Set::WindowsMedia, source, name, QString(), false});
        shown << name;
    }
    List1->addItems(shown);  // at once: a row at a time would update the view for each
    Option1->setValue(true);  // the rows' set shows, as after Add
    writeBuffer();
}

QString Form2::selectedSource(Set set) const
{
    const QListWidget* names = columns(set)[0];
    const QListWidgetItem* row = names->currentItem();
    if (!row || !row->isSelected()) return {};
    return rows_.at(set, names->currentRow()).source;
}

void Form2::List1_DblClick()
{
    const QString source = selectedSource(Set::WindowsMedia);
    if (source.isEmpty()) return;
    frmMain& main = app_.forms().get<frmMain>();
    main.switchEngine(frmMain::Engine::WindowsMedia);
    main.screenAndAudio->Open(source);
}

void Form2::List4_DblClick()
{
    const QString source = selectedSource(Set::Real);
    if (source.isEmpty()) return;
    frmMain& main = app_.forms().get<frmMain>();
    main.switchEngine(frmMain::Engine::Real);
    main.RealAudio1->SetSource(source);
    main.RealAudio1->PlayClip();
}

void Form2::Combo2_Click()
{
    Combo2->setCurrentIndex(Combo1->currentIndex());
    app_.forms().get<frmMain>().screenAndAudio->Open(Combo1->currentText());
}
