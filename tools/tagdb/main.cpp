#include "MdbDataLayer.h"
#include "TagDbCommands.h"

#include <iostream>

int main(int argc, char** argv)
{
    corvane::jet::MdbDataLayer dataLayer;
    return corvane::tagdb::runTagDb(std::vector<std::string>(argv + 1, argv + argc), dataLayer, std::cout, std::cerr);
}
