// Counts given on a command line or in the environment (games to play, a seed,
// threads): a whole number in decimal digits, or refused, never read as 0.
#pragma once

#include <charconv>
#include <string_view>
#include <type_traits>

namespace larkspur {

// Reads `text` into `count` when it is a whole number, in digits alone, that
// `count` can hold; otherwise leaves `count` as it was and returns false.
template <class T>
bool ReadCount(std::string_view text, T& count) {
  static_assert(std::is_integral_v<T>);
  if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  count = value;
  return true;
}

}  // namespace larkspur
