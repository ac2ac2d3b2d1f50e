#pragma once

#include "message_box.h"

#include <QPalette>

namespace kubiq {

// A QMessageBox over the active window, or over the whole application when none is active, in
// the given colours whatever the desktop's scheme.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(const QPalette& palette) : m_palette(palette) {}
    void information(std::string_view title, std::string_view text) override;
    bool question(std::string_view title, std::string_view text) override;

private:
    QPalette m_palette;
};

} // namespace kubiq
