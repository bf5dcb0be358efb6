#include "app/DevOptions.h"
#include "app/InfoOptions.h"
#include "app/Startup.h"

#include <iostream>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (const std::optional<int> answered = answerInfoOptions(args, MOSSGRAVE_VERSION, std::cout))
        return *answered;
    return runGame(parseDevOptions(args, std::cerr));
}
