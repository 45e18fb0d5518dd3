#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <map>

// Follows one open through the engine's playlist. The load makes one entry; a list (.m3u, .pls,
// ASX, a [Reference] file, an address that sends a list) is replaced by the entries it names,
// and the engine tries them in order until one opens. The open is over when an entry of this
// open is loaded, or when the last one has failed; events about entries of earlier opens are
// ignored.
class OpenTracker {
public:
    enum class Outcome { Pending, Loaded, Failed };

    // Lists within lists are followed this many times per open; a list naming itself ends there.
    static constexpr int kMaxLists = 16;

    // A new open of a file or an address; nothing is known of its entry yet.
    void begin(bool address);
    // The engine's id of the entry the load made.
    void accepted(int64_t entry);

    // Engine events about entries.
    Outcome loaded(int64_t entry);
    Outcome failed(int64_t entry, int mpvError);
    Outcome replacedByList(int64_t entry, int64_t firstInserted, int count);

    // An entry that came from a list: its name (for messages), or that the program refuses it.
    void named(int64_t entry, const QString& name) { names_[entry] = name; }
    void refused(int64_t entry, const QString& problem) { refusals_[entry] = problem; }

    int64_t loadEntry() const { return direct_; }
    bool isPending(int64_t entry) const;
    bool isFromList(int64_t entry) const { return isPending(entry) && entry != direct_; }
    // The entry came from a list that was itself read from the network.
    bool isFromNetworkList(int64_t entry) const;
    // Whether the entry being tried now (the first pending one) is a network address.
    bool tryingAddress() const;
    // Why the open failed, as a sentence for the user.
    const QString& problem() const { return problem_; }

private:
    Outcome entryEnded(int64_t entry, const QString& problem);
    // Takes the entry out of the pending ones, putting count entries from firstInserted there.
    void replace(int64_t entry, int64_t firstInserted, int count, bool fromNetwork);

    int64_t direct_ = -1;
    bool directAddress_ = false;
    struct Range {
        int64_t first, last;
        bool fromNetwork;  // named by a list that came from an address
    };
    const Range* rangeOf(int64_t entry) const;
    bool isAddressEntry(int64_t entry) const;

    // Entries still to be tried, in the engine's order, as ranges of consecutive ids.
    std::deque<Range> pending_;
    std::map<int64_t, QString> names_;
    std::map<int64_t, QString> refusals_;
    int lists_ = 0;
    QString problem_;
};
