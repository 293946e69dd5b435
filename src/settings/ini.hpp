// Reader and writer of UTF-16LE INI profile files. Every call names the file by its full path
// ('/' separated), reads it whole and, for a change, replaces it whole; nothing is kept between calls.
#pragma once

#include <cstddef>
#include <cstdint>

// Makes sure `path` (ending in .ini, any case, in an existing directory) is a UTF-16LE file
// with its mark FF FE; any other file there is replaced by one holding only the mark.
bool IniEnsureFile(const char16_t* path);

// On true, *value is a new[] copy of the value, which the caller delete[]s.
bool IniReadString(const char16_t* section, const char16_t* key, char16_t** value, const char16_t* path);

// On false, *value is left as it was. A value without digits reads as 0.
bool IniReadInt(const char16_t* section, const char16_t* key, int32_t* value, const char16_t* path);

// Sets the value; a null value deletes the key's line and a null key deletes the section.
// Deleting what is not there succeeds without touching the file. The file must exist.
bool IniWriteString(const char16_t* section, const char16_t* key, const char16_t* value, const char16_t* path);

bool IniWriteInt(const char16_t* section, const char16_t* key, int32_t value, const char16_t* path);

// The number of lines that begin with "[" and end with "]"; 0 on any failure.
int32_t IniCountSections(const char16_t* path);

// Copies the name of the index-th such line (from 0) into buffer, cut to fit capacity and
// always terminated; writes nothing when there is no such line or the file cannot be read.
void IniSectionName(char16_t* buffer, size_t capacity, int32_t index, const char16_t* path);

// Whether "[" section "]" begins a line and is followed by CR or the end of the text.
bool IniHasSection(const char16_t* section, const char16_t* path);
