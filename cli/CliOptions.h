#pragma once
#include <map>
#include <string>
#include <vector>

// Command-line words after the command: positional words first, then "--name value" pairs.
// Only the option names a command accepts are allowed.
class CliOptions {
public:
    // Throws a usage error for an unknown option, an option without its value, or a wrong
    // number of positional words.
    CliOptions(const std::vector<std::string>& words, size_t positionalCount, const std::vector<std::string>& known);

    const std::string& positional(size_t index) const { return positional_.at(index); }
    bool has(const std::string& name) const { return values_.count(name) != 0; }
    // The option's value, or `fallback` when it was not given.
    std::string value(const std::string& name, const std::string& fallback = "") const;
    // The option's value as a whole number within [min, max]; throws a usage error otherwise.
    long number(const std::string& name, long min, long max, long fallback) const;
    // Like number(), but the option must be present.
    long requiredNumber(const std::string& name, long min, long max) const;
    // The option must be present.
    std::string required(const std::string& name) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
};
