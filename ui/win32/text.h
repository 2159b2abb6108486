#pragma once

#include <string>
#include <string_view>

namespace kx14 {

// UTF-8 to UTF-16 and back, for the wide-character Win32 calls. Invalid
// sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace kx14
