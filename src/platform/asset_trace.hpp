// A record of every text drawn and every picture loaded, for checking what a
// player sees in each language. Off unless the environment variable
// QUANDREL_TRACE_ASSETS names a file; each distinct line is then appended once:
//   text <TAB> what the program asked for <TAB> what was drawn
//   file <TAB> the path asked for <TAB> the path loaded (empty: none)
//   resource <TAB> id <TAB> the language of the picture loaded (empty: none)
#pragma once

#include <cstdint>
#include <string_view>

bool assetTraceEnabled();
void traceText(std::u16string_view asked, std::u16string_view drawn);
void traceFile(std::u16string_view asked, std::u16string_view loaded);
void traceResource(uint32_t id, std::string_view language);
