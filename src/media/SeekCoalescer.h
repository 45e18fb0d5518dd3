#pragma once

#include <optional>

// Keeps at most one seek in flight. Position writes can come every 10 ms; each new target
// replaces the one waiting, and the newest is sent when the engine reports the seek done.
class SeekCoalescer {
public:
    // The target to send now, or nothing when a seek is still running (it waits instead).
    std::optional<double> request(double target)
    {
        if (inFlight_) {
            waiting_ = target;
            return std::nullopt;
        }
        inFlight_ = true;
        return target;
    }

    // The engine finished the running seek: the newest waiting target to send, if any.
    std::optional<double> finished()
    {
        if (!inFlight_) return std::nullopt;
        if (!waiting_) {
            inFlight_ = false;
            return std::nullopt;
        }
        const double next = *waiting_;
        waiting_.reset();
        return next;
    }

    bool busy() const { return inFlight_; }
    void reset()
    {
        inFlight_ = false;
        waiting_.reset();
    }

private:
    bool inFlight_ = false;
    std::optional<double> waiting_;
};
