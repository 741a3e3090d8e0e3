#include "cli/CardTool.h"

#include "cli/CheckStore.h"
#include "cli/CliError.h"
#include "cli/DecodeCommand.h"
#include "cli/EncodeCommand.h"
#include "cli/ReadCommand.h"
#include "shell/Pacer.h"

namespace {

struct Command {
    const char* name;
    void (*run)(const std::vector<std::string>& words, KeyValueWriter& out);
};

// One line per command; further commands (the store check) are added here.
const Command kCommands[] = {
    {"decode", DecodeCommand::run},
    {"encode", EncodeCommand::run},
    {"read", ReadCommand::run},
};

}  // namespace

int CardTool::run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Pacer::current().setPacing(false);  // a tool has no one to show pauses to
    if (args.empty()) {
        usage(err);
        return CliError::kUsageExit;
    }
    if (args[0] == "check-store") return runCheckStore(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
    try {
        for (const Command& command : kCommands) {
            if (args[0] != command.name) continue;
            KeyValueWriter writer(out);
            command.run(std::vector<std::string>(args.begin() + 1, args.end()), writer);
            return 0;
        }
        throw CliError::usage("unknown command: " + args[0]);
    } catch (const CliError& e) {
        err << "quillon-card: " << e.what() << '\n';
        if (e.exitCode() == CliError::kUsageExit) usage(err);
        return e.exitCode();
    }
}

void CardTool::usage(std::ostream& err)
{
    err << "usage: quillon-card decode adn|ext1|msisdn|smsp|iccid|sms HEX\n"
           "       quillon-card encode adn --record-length N --name TEXT --number TEXT\n"
           "       quillon-card encode sms --record-length N --text TEXT [--number DIGITS] [--status S] [--sca HEX]\n"
           "       quillon-card read identity|phonebook|messages [--reader NAME] [--pin PIN]\n"
           "       quillon-card check-store FILE\n";
}
