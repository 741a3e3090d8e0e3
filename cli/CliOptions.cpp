#include "cli/CliOptions.h"

#include "cli/CliError.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

CliOptions::CliOptions(const std::vector<std::string>& words, size_t positionalCount,
                       const std::vector<std::string>& known)
{
    size_t i = 0;
    for (; i < words.size() && words[i].rfind("--", 0) != 0; ++i) positional_.push_back(words[i]);
    if (positional_.size() != positionalCount)
        throw CliError::usage("expected " + std::to_string(positionalCount) + " argument(s), got " +
                              std::to_string(positional_.size()));
    for (; i < words.size(); i += 2) {
        const std::string name = words[i].rfind("--", 0) == 0 ? words[i].substr(2) : words[i];
        if (std::find(known.begin(), known.end(), name) == known.end())
            throw CliError::usage("unknown option: " + words[i]);
        if (i + 1 >= words.size()) throw CliError::usage("option --" + name + " needs a value");
        values_[name] = words[i + 1];
    }
}

std::string CliOptions::value(const std::string& name, const std::string& fallback) const
{
    const auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

long CliOptions::number(const std::string& name, long min, long max, long fallback) const
{
    if (!has(name)) return fallback;
    const std::string text = value(name);
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < min || n > max)
        throw CliError::usage("--" + name + " must be a number from " + std::to_string(min) + " to " +
                              std::to_string(max) + ": " + text);
    return n;
}

long CliOptions::requiredNumber(const std::string& name, long min, long max) const
{
    required(name);
    return number(name, min, max, min);
}

std::string CliOptions::required(const std::string& name) const
{
    if (!has(name)) throw CliError::usage("option --" + name + " is required");
    return value(name);
}
