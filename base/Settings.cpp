#include "base/Settings.h"

Settings gSettings;
