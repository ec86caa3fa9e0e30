#pragma once

#include <string>
#include <string_view>

namespace vantrel::site {

// Turns every "%XX" (two hexadecimal digits, either case) into its byte. A '%' that is not
// followed by two hexadecimal digits stays as it is, as do all other bytes, '+' included:
// blanks arrive as %20, and other clients may send a stray '%' raw.
std::string percentDecode(std::string_view text);

}  // namespace vantrel::site
