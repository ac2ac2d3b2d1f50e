#pragma once

#include <string>

namespace kubiq {

// The text of the help panel: the rules, then `spielstandText` (the history, whole lines ending
// in CR LF) with nothing after it. Lines are separated by CR LF.
std::string helpText(const std::string& spielstandText);

} // namespace kubiq
