#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tandrel::command {

// The texts of the match command's message boxes.
std::u16string UsageMessage(std::u16string_view usagePrefix, std::u16string_view contactAddress);
std::u16string CantMatchPrefix(std::u16string_view token);
std::u16string NotFoundMessage(std::u16string_view partner, std::u16string_view token, std::int32_t direction,
                               std::u16string_view contactAddress);
std::u16string StringLengthMessage(std::int32_t length);
std::u16string SearchErrorMessage(std::u16string_view contactAddress);

}  // namespace tandrel::command
