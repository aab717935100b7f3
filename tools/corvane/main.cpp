// corvane: the emulator's command-line client.
#include "Cli.h"

#include <iostream>

int main(int argc, char** argv)
{
    return corvane::cli::run({argv + 1, argv + argc}, std::cout, std::cerr);
}
