#pragma once

namespace sorvani::annotate {

// Makes standard input and output pass bytes unchanged (no line-end translation).
void UseBinaryStandardStreams();

}  // namespace sorvani::annotate
