// UTF-8, the program's own text, to and from UTF-16, the text of the
// system's W calls: every text that the program hands the system or takes
// from it passes here, paths and registry values included.
#pragma once

#include <string>
#include <string_view>

namespace scramblo {

// A sequence that is no UTF-8 becomes U+FFFD.
std::wstring toUtf16(std::string_view utf8);
// A lone surrogate becomes U+FFFD.
std::string toUtf8(std::wstring_view utf16);

}  // namespace scramblo
