#include "app/Startup.h"

int main()
{
    return runGame();
}
