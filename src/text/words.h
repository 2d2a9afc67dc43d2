// Small text helpers shared by the readers of the boards' and the chips' description files and
// by the option parsers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The text without blanks at either end.
std::string_view Trim(std::string_view s);
// The words of a line, separated by blanks or commas.
std::vector<std::string_view> Words(std::string_view s);
std::string Lower(std::string_view s);
std::string Upper(std::string_view s);
bool Same_Ignoring_Case(std::string_view a, std::string_view b);
// Whether the text ends with END in any case ("DEMO.CHIPS" ends with ".chips").
bool Ends_With_Ignoring_Case(std::string_view s, std::string_view end);

}  // namespace corvane
