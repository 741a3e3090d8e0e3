#pragma once
#include "cli/KeyValueWriter.h"

#include <string>
#include <vector>

// "read identity|phonebook|messages [--reader NAME] [--pin PIN]": reads a card through the
// reader service library beside the tool and prints its identity, then one block per used record.
class ReadCommand {
public:
    static void run(const std::vector<std::string>& words, KeyValueWriter& out);

private:
    static void identity(KeyValueWriter& out);
    static void phoneBook(KeyValueWriter& out);
    static void messages(KeyValueWriter& out);
    // Verifies the PIN when the card asks for one.
    static void unlock(const std::string& pin);
};
