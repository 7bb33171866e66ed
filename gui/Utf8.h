#pragma once
// Stepping through UTF-8 text by characters; a byte that starts no valid
// sequence counts as one character of its own.

#include <cstddef>
#include <string>

namespace vexmolda {

// The number of bytes of the character starting at position (0 at the end).
std::size_t utf8Length(const std::string& text, std::size_t position);
// The start of the character that ends at position (position when it is 0).
std::size_t utf8Previous(const std::string& text, std::size_t position);

}  // namespace vexmolda
