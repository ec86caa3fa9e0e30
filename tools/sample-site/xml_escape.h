#pragma once

#include <string>
#include <string_view>

namespace vantrel::site {

// Text made safe for XML and HTML element content and attribute values: & < > " ' become
// the five predefined entities, which every XML parser knows.
std::string escapeXml(std::string_view text);

}  // namespace vantrel::site
