#include "cli/CardTool.h"
#include "shell/AppPaths.h"

#include <iostream>

int main(int argc, char** argv)
{
    AppPaths::init();
    return CardTool::run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
