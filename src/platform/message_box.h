#pragma once

#include <string_view>

namespace kubiq {

// A modal message with an information icon and one OK button, or a question.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Returns once the player has closed the box. Lines of `text` are separated by CR LF.
    virtual void information(std::string_view title, std::string_view text) = 0;
    // Asks with "Ja" and "Nein"; true for "Ja". A box that cannot ask lets the click stand.
    virtual bool question(std::string_view /*title*/, std::string_view /*text*/) { return true; }
};

} // namespace kubiq
