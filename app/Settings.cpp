#include "app/Settings.h"

Settings gSettings;
