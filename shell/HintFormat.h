#pragma once
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// printf-style formatting of texts that come from language files. The format is data the user
// may edit, so it is never handed to the C formatter: conversions are parsed here and each
// takes the argument of the matching position whatever its type (a number for %s prints as
// decimal, a text for %d prints as is, a missing argument prints nothing, %n and unknown
// conversions are copied literally).
class HintFormat {
public:
    using Arg = std::variant<long long, std::string>;

    static std::string format(std::string_view fmt, const std::vector<Arg>& args);

    // The argument kinds a format consumes, in order: 'd' for an integer conversion
    // (d i u x X c), 's' for a string, '?' for a conversion this formatter does not take.
    static std::string kinds(std::string_view fmt);
};
