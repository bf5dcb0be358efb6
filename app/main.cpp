#include "app/DevOptions.h"
#include "app/Startup.h"

#include <iostream>

int main(int argc, char** argv)
{
    return runGame(parseDevOptions(std::vector<std::string>(argv + 1, argv + argc), std::cerr));
}
