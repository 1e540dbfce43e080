#include <dlfcn.h>

#include "program_directory.h"
#include "rtf_converter.h"
#include "tool_error.h"

namespace sorvani::annotate {

std::unique_ptr<RtfConverter> LoadRtfConverter() {
    const std::filesystem::path module = ProgramDirectory() / "sorvani-annotate-rtf.so";
    // Never unloaded: Qt does not expect to leave the process before it ends.
    void* library = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* create = library ? ::dlsym(library, kCreateRtfConverter) : nullptr;
    if (!create) {
        const char* cause = ::dlerror();
        throw ToolError(PathText(module) + ": RTF support cannot be loaded (" +
                        (cause ? cause : "no entry point") + ")");
    }
    return std::unique_ptr<RtfConverter>(reinterpret_cast<CreateRtfConverterFunction>(create)());
}

}  // namespace sorvani::annotate
