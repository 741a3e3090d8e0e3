#pragma once
#include <stdexcept>
#include <string>

// A failure that ends the tool: bad arguments or input (exit 2) or a card that refused (exit 1).
class CliError : public std::runtime_error {
public:
    static constexpr int kCardExit = 1;
    static constexpr int kUsageExit = 2;

    CliError(int exitCode, const std::string& message) : std::runtime_error(message), exitCode_(exitCode) {}

    static CliError usage(const std::string& message) { return CliError(kUsageExit, message); }
    // A card operation that ended with `status` (an exchange status or a status word).
    static CliError card(const std::string& operation, unsigned status);

    int exitCode() const { return exitCode_; }

private:
    int exitCode_;
};
