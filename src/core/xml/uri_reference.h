#pragma once

#include <string_view>

namespace vantrel {

// Whether text is a URI reference (RFC 3986): an absolute URI or a relative reference, in ASCII
// with percent-escapes. A namespace name must be one.
bool isUriReference(std::string_view text);

}  // namespace vantrel
