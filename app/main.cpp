#include "app/Settings.h"

int main()
{
    return 0;
}
