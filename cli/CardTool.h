#pragma once
#include <ostream>
#include <string>
#include <vector>

// quillon-card: decodes and encodes card records, reads a card. Returns the exit status:
// 0 done, 1 the card or the reader failed, 2 bad arguments or input.
class CardTool {
public:
    static int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static void usage(std::ostream& err);
};
