#pragma once

#include <cstdio>
#include <string_view>

namespace sorvani::annotate {

// Makes standard input and output pass bytes unchanged (no line-end translation).
void UseBinaryStandardStreams();

// Writes UTF-8 text to standard output or standard error. A Windows console shows it through its
// wide API, whatever its code page; files and pipes get the bytes as they are. False when it
// cannot be written, with errno set.
bool WriteText(std::FILE* stream, std::string_view utf8);

}  // namespace sorvani::annotate
