// The viewer page's sources, built into the tool from viewer/ (see
// viewer/embed.cmake): the HTML template and the script it inlines.
#pragma once

#include <string_view>

namespace skyhost {

extern const std::string_view kViewerHtml;
extern const std::string_view kViewerScript;

}  // namespace skyhost
