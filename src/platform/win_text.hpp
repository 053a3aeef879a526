// UTF-8 (the game's paths and texts) to and from UTF-16 (Windows' wide-character API).
#pragma once

#include <string>
#include <string_view>

namespace kerna::platform {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace kerna::platform
