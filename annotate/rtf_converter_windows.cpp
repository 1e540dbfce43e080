#include <windows.h>

#include <system_error>

#include "program_directory.h"
#include "rtf_converter.h"
#include "tool_error.h"

namespace sorvani::annotate {

std::unique_ptr<RtfConverter> LoadRtfConverter() {
    const std::filesystem::path module = ProgramDirectory() / "sorvani-annotate-rtf.dll";
    // Never unloaded: Qt does not expect to leave the process before it ends.
    const HMODULE library = LoadLibraryW(module.c_str());
    const FARPROC create = library ? GetProcAddress(library, kCreateRtfConverter) : nullptr;
    if (!create)
        ThrowFileError(module, "RTF support cannot be loaded",
                       std::error_code(static_cast<int>(GetLastError()), std::system_category()));
    return std::unique_ptr<RtfConverter>(reinterpret_cast<CreateRtfConverterFunction>(create)());
}

}  // namespace sorvani::annotate
