#pragma once

#include <string>
#include <string_view>

namespace sorvani::annotate {

// The text of an input file as the document box holds it: UTF-8 (a byte-order mark dropped) when
// the bytes are valid UTF-8, else code page 936; every line break (CR LF, lone LF, lone CR) as
// CR LF.
std::u16string DocumentText(std::string_view bytes);

}  // namespace sorvani::annotate
