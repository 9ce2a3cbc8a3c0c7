#pragma once
// AppendUtf8: one code point onto UTF-8 text. A surrogate or a value beyond
// U+10FFFF becomes U+FFFD, so the text stays valid whatever a file held.
// Stateless; callable from any thread.
#include <string>

namespace ecam {

void AppendUtf8(std::string& out, char32_t c);

} // namespace ecam
