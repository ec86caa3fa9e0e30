#pragma once

#include <string>
#include <string_view>

namespace vantrel::site {

// Turns every "%XX" (two hexadecimal digits, either case) into its byte. A '%' that is not
// followed by two hexadecimal digits stays as it is, as do all other bytes, '+' included:
// the tool writes '%' and blanks into the path unescaped.
std::string percentDecode(std::string_view text);

}  // namespace vantrel::site
