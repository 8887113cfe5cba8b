#include "tools/catalogue/catalogue_tool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return ixo::catalogue_tool::RunCatalogueTool(args, std::cout, std::cerr);
}
