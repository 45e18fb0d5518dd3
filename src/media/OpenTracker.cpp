#include "media/OpenTracker.h"

#include <QCoreApplication>

#include "media/MediaSource.h"

void OpenTracker::begin(bool address)
{
    direct_ = -1;
    directAddress_ = address;
    pending_.clear();
    names_.clear();
    refusals_.clear();
    lists_ = 0;
    problem_.clear();
}

void OpenTracker::accepted(int64_t entry)
{
    direct_ = entry;
    pending_ = {{entry, entry, false}};
}

const OpenTracker::Range* OpenTracker::rangeOf(int64_t entry) const
{
    for (const Range& r : pending_)
        if (entry >= r.first && entry <= r.last) return &r;
    return nullptr;
}

bool OpenTracker::isPending(int64_t entry) const { return rangeOf(entry) != nullptr; }

bool OpenTracker::isFromNetworkList(int64_t entry) const
{
    const Range* r = rangeOf(entry);
    return r && r->fromNetwork;
}

bool OpenTracker::isAddressEntry(int64_t entry) const
{
    if (entry == direct_) return directAddress_;
    const auto name = names_.find(entry);
    return name != names_.end() && media_source::isAddress(name->second);
}

bool OpenTracker::tryingAddress() const
{
    return pending_.empty() ? directAddress_ : isAddressEntry(pending_.front().first);
}

OpenTracker::Outcome OpenTracker::loaded(int64_t entry) { return isPending(entry) ? Outcome::Loaded : Outcome::Pending; }

OpenTracker::Outcome OpenTracker::failed(int64_t entry, int mpvError)
{
    if (!isPending(entry)) return Outcome::Pending;
    QString problem;
    if (const auto refusal = refusals_.find(entry); refusal != refusals_.end()) {
        problem = refusal->second;
    } else if (entry == direct_) {
        problem = media_source::engineFailure(mpvError, directAddress_);
    } else {
        const QString name = names_.count(entry) ? names_.at(entry) : QString();
        problem = media_source::listLineProblem(name, media_source::engineFailure(mpvError, media_source::isAddress(name)));
    }
    return entryEnded(entry, problem);
}

OpenTracker::Outcome OpenTracker::replacedByList(int64_t entry, int64_t firstInserted, int count)
{
    if (!isPending(entry)) return Outcome::Pending;
    if (++lists_ > kMaxLists) {
        if (problem_.isEmpty()) problem_ = QCoreApplication::translate("OpenTracker", "The list leads only to other lists.");
        pending_.clear();
        return Outcome::Failed;
    }
    replace(entry, firstInserted, count, isAddressEntry(entry));
    if (!pending_.empty()) return Outcome::Pending;
    if (problem_.isEmpty()) problem_ = QCoreApplication::translate("OpenTracker", "The list names nothing to play.");
    return Outcome::Failed;
}

OpenTracker::Outcome OpenTracker::entryEnded(int64_t entry, const QString& problem)
{
    if (problem_.isEmpty()) problem_ = problem;
    replace(entry, 0, 0, false);
    return pending_.empty() ? Outcome::Failed : Outcome::Pending;
}

void OpenTracker::replace(int64_t entry, int64_t firstInserted, int count, bool fromNetwork)
{
    // The inserted entries take the entry's place, before whatever followed it.
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        const Range r = *it;
        if (entry < r.first || entry > r.last) continue;
        it = pending_.erase(it);
        if (entry < r.last) it = pending_.insert(it, {entry + 1, r.last, r.fromNetwork});
        if (count > 0) it = pending_.insert(it, {firstInserted, firstInserted + count - 1, fromNetwork});
        if (entry > r.first) pending_.insert(it, {r.first, entry - 1, r.fromNetwork});
        return;
    }
}
