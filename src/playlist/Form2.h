#pragma once

#include <array>
#include <memory>
#include <vector>

#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "playlist/PlaylistRows.h"

class Application;
class QComboBox;
class QLabel;
class QListWidget;
class RichTextBox;

// The playlist window: the files played in the main window, one set of columns (name, length,
// path) for each engine, saved to and loaded from playlist files in Rich Text Format.
class Form2 : public forms::Form {
    Q_OBJECT
public:
    explicit Form2(Application& app);
    ~Form2() override;

    void Command1_Click();  // add the current file
    void Command2_Click();  // remove the last entry
    void Command3_Click() { Hide(); }
    void Command4_Click();  // save
    void Command5_Click();  // load
    void List1_DblClick();
    void List4_DblClick();
    void Option1_Click();
    void Option2_Click();
    void Combo2_Click();

    // Names from outside the windows, already checked: each a row of its set (name and path; the
    // length is not known until it plays), added as Add adds a row.
    void addRows(const QStringList& targets);
    // A playlist file given from outside the windows: shown and loaded as Load does.
    void loadFromOutside(const QString& path);

    QComboBox* Combo1;
    QComboBox* Combo2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command5;
    QLabel* Label1;
    forms::OptionButton* Option1;
    forms::OptionButton* Option2;
    QListWidget* List1;
    QListWidget* List2;
    QListWidget* List3;
    QListWidget* List4;
    QListWidget* List5;
    QListWidget* List6;
    RichTextBox* RichTextBox1;
    std::unique_ptr<forms::CommonDialog> CommonDialog1;

private:
    using Set = PlaylistRows::Set;
    // The set's three columns: names, lengths, paths.
    std::array<QListWidget*, 3> columns(Set set) const;
    // Shows one set's three columns and hides the other's.
    void showSet(Set set);
    // A row with its length and path at the end of its set, which is shown; writeBuffer() then
    // takes it into the buffer.
    void addRow(Set set, const QString& length, const QString& source);
    // Takes the set's last row off; the set's emptiness is said.
    void removeLastRow(Set set);
    // The buffer holds what Save writes: every row's source, in the order the rows were added,
    // a line each.
    void writeBuffer();
    // What the selected row of the set's name column plays; empty when no row is selected.
    QString selectedSource(Set set) const;
    void prepareDialog();
    // Why a source cannot be a row: its name holds a line break.
    static QString cannotKeep(const QString& source);
    // Loads the playlist file chosen (Load's work after its dialog).
    void loadPlaylist(const QString& path);
    // A playlist file read into the buffer: its lines become rows, or why it could not be read is said.
    void addLoadedRows(const QString& path, const QString& problem);

    // Files and addresses dropped on the window become rows.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    Application& app_;
    PlaylistRows rows_;
};
