// The program's name and version as shown by --version and the about text.
#pragma once

const char* quandrelVersion();
