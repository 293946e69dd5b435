// Full paths of the picture files beside the executable.
#pragma once

// The executable's directory followed by `literal` (which starts with '/').
// The result lives in one buffer that the next call overwrites; once the
// buffer has grown, building a path allocates nothing.
const char16_t* imagePath(const char16_t* literal);
