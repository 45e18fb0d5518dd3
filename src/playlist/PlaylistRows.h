#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The playlist window's rows, in the order they were added: what its list boxes show and what a
// playlist file holds. Each row belongs to a set (the engine that plays it) and shows in the
// set's name column; a row added from a file that played, or from outside, also shows in the
// set's length and path columns, while a row loaded from a playlist file shows its name only.
class PlaylistRows {
public:
    enum class Set { WindowsMedia, Real };
    struct Row {
        Set set = Set::WindowsMedia;
        QString source;         // what it plays: a full path or an address
        QString name;           // what the name column shows
        QString length;         // what the length column shows...
        bool detailed = false;  // ...when the length and path columns show the row at all
    };

    void add(Row row) { rows_.push_back(std::move(row)); }

    // What Remove took off a set's columns: the last name, and the last length and path (those of
    // the last row that shows them, which need not be the row whose name went).
    struct Removed {
        bool name = false, details = false;
    };
    Removed removeLast(Set set);

    int count(Set set) const;
    // The row at a position of the set's name column.
    const Row& at(Set set, int position) const;
    // Every row's source in the order added: a playlist file's lines.
    QStringList sources() const;

private:
    std::vector<Row> rows_;
};
