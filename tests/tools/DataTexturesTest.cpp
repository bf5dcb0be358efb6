// Checks of the generated data files; filled in with the generator.
#include <gtest/gtest.h>
