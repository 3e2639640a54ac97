// Texts of the core, which are UTF-8 std::strings, as Qt shows them.
#pragma once

#include <QString>
#include <string>

namespace ravo {

inline QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace ravo
