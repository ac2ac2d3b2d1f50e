#pragma once

#include "message_box.h"

namespace kubiq {

// A QMessageBox over the active window, or over the whole application when none is active.
class QtMessageBox final : public MessageBox {
public:
    void information(std::string_view title, std::string_view text) override;
};

} // namespace kubiq
