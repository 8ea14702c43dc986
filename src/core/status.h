// The result of a core operation: success, or failure with the exact text the caller shows.
// Core code never shows a window itself.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace k2 {

struct Status {
    bool ok = true;
    std::string message;               // the text of the box to show on failure
    std::string title = "Warning";     // the box title ("Warning", or "Error" for equipment files)
    std::vector<std::string> warnings; // non-fatal messages shown before going on ("Warning" boxes)

    static Status Ok() { return {}; }
    static Status Fail(std::string text, std::string boxTitle = "Warning") {
        Status s;
        s.ok = false;
        s.message = std::move(text);
        s.title = std::move(boxTitle);
        return s;
    }
    explicit operator bool() const { return ok; }
};

} // namespace k2
