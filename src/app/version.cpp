#include "app/version.hpp"

const char* quandrelVersion() { return "1.0.0"; }
