// Counted words: catalogue entries with plural forms ({1} where the number
// goes), each language choosing the form for a number by its own rule. A
// sentence takes one as a Counted argument, the share text as a field.
#pragma once

namespace words {

inline constexpr const char16_t* points = u"{1}分";
inline constexpr const char16_t* stars = u"{1}颗星";
inline constexpr const char16_t* shots = u"{1}发";
inline constexpr const char16_t* days = u"{1}天";
inline constexpr const char16_t* seconds = u"{1}秒";
inline constexpr const char16_t* keys = u"{1}把钥匙";

}  // namespace words
