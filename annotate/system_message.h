#pragma once

#include <string>

namespace sorvani::annotate {

// What Windows says about an error code, in the user's language: one line of UTF-8 without the
// line break and full stop that end it. The narrow forms of the system's messages come in the
// ANSI code page and would mix encodings in a UTF-8 line.
std::string SystemMessage(unsigned long error);

}  // namespace sorvani::annotate
