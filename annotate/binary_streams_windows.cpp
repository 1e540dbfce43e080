#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "binary_streams.h"

namespace sorvani::annotate {
namespace {

// A program started without standard streams (from a window) has none to set: the runtime ends
// the program when asked to set the mode of a stream that is not there.
void UseBinary(std::FILE* stream) {
    if (_fileno(stream) >= 0) _setmode(_fileno(stream), _O_BINARY);
}

// The console behind the stream, if it is one.
HANDLE ConsoleOf(std::FILE* stream) {
    const int fd = _fileno(stream);
    const auto handle =
        fd >= 0 ? reinterpret_cast<HANDLE>(_get_osfhandle(fd)) : INVALID_HANDLE_VALUE;
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// The length of the text without a character cut off at its end.
size_t WholeCharacters(std::string_view utf8) {
    for (size_t back = 1; back <= std::min<size_t>(3, utf8.size()); ++back) {
        const auto byte = static_cast<unsigned char>(utf8[utf8.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? utf8.size() - back : utf8.size();
    }
    return utf8.size();
}

bool WriteToConsole(HANDLE console, std::string_view utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                        static_cast<int>(utf8.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    for (std::wstring_view rest = text; !rest.empty();) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<size_t>(rest.size(), 1 << 14));
        if (!WriteConsoleW(console, rest.data(), size, &written, nullptr) || written == 0) {
            errno = EIO;
            return false;
        }
        rest.remove_prefix(written);
    }
    return true;
}

}  // namespace

void UseBinaryStandardStreams() {
    UseBinary(stdin);
    UseBinary(stdout);
}

bool WriteText(std::FILE* stream, std::string_view utf8) {
    const HANDLE console = ConsoleOf(stream);
    if (!console) return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    // The output comes in pieces that may end inside a character: its start waits for the rest.
    static std::string pending[2];
    std::string& carried = pending[stream == stderr ? 1 : 0];
    carried.append(utf8);
    const size_t whole = WholeCharacters(carried);
    const bool written = std::fflush(stream) == 0 &&
                         WriteToConsole(console, std::string_view(carried).substr(0, whole));
    carried.erase(0, whole);
    return written;
}

}  // namespace sorvani::annotate
