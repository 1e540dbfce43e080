#include <windows.h>

#include "document_converter.h"
#include "program_directory.h"
#include "system_message.h"
#include "tool_error.h"

namespace sorvani::annotate {

std::unique_ptr<DocumentConverter> LoadDocumentConverter() {
    const std::filesystem::path module = ProgramDirectory() / "sorvani-annotate-rtf.dll";
    // Never unloaded: Qt does not expect to leave the process before it ends. The module and the
    // Qt libraries it needs come from the program's folder and the system's, never from the
    // current folder or PATH.
    const HMODULE library =
        LoadLibraryExW(module.c_str(), nullptr,
                       LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    const FARPROC create = library ? GetProcAddress(library, kCreateDocumentConverter) : nullptr;
    if (!create)
        throw ToolError(PathText(module) + ": RTF support cannot be loaded (" +
                        SystemMessage(GetLastError()) + ")");
    return std::unique_ptr<DocumentConverter>(
        reinterpret_cast<CreateDocumentConverterFunction>(reinterpret_cast<void (*)()>(create))());
}

}  // namespace sorvani::annotate
