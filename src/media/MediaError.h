#pragma once

#include <stdexcept>
#include <string>

// A call the engine refuses (no clip to play, a value out of range). The window's handler
// ends there and the user is told, as with any failed call on a control.
class MediaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
