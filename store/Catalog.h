#pragma once
#include <string>
#include <vector>

// A catalog (folder) of the PC store: a name and its entry lines in order.
struct Catalog {
    std::string name;
    std::vector<std::string> lines;
};
