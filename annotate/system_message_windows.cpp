#include <windows.h>

#include <string>

#include "system_message.h"

namespace sorvani::annotate {
namespace {

std::string Utf8(std::wstring_view text) {
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::string SystemMessage(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    for (wchar_t& ch : text)
        if (ch == L'\r' || ch == L'\n') ch = L' ';
    while (!text.empty() &&
           (text.back() == L' ' || text.back() == L'.' || text.back() == L'\x3002'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(error) : Utf8(text);
}

}  // namespace sorvani::annotate
