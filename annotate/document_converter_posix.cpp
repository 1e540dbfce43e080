#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <vector>

#include "document_converter.h"
#include "program_directory.h"
#include "tool_error.h"

namespace sorvani::annotate {
namespace {

// True when the part [offset, offset + length) lies within a file of `size` bytes.
bool Within(uint64_t offset, uint64_t length, uint64_t size) {
    return offset <= size && length <= size - offset;
}

// What is wrong with the module's file, judged by the headers the loader maps it by; nothing when
// it looks whole or cannot be opened (the loader then says why). A file cut short (an interrupted
// copy or install) would be mapped past its end, and the first touch of a page there ends the
// program with SIGBUS.
std::optional<std::string> DamageOf(const std::filesystem::path& module) {
    const int fd = ::open(module.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return "not a regular file";
    const auto size = static_cast<uint64_t>(status.st_size);
    const auto read = [&](void* into, uint64_t length, uint64_t offset) {
        return Within(offset, length, size) &&
               ::pread(fd, into, length, static_cast<off_t>(offset)) ==
                   static_cast<ssize_t>(length);
    };
    ElfW(Ehdr) header;
    if (!read(&header, sizeof header, 0) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_phentsize != sizeof(ElfW(Phdr)))
        return "not a module for this system";
    std::vector<ElfW(Phdr)> segments(header.e_phnum);
    if (!read(segments.data(), segments.size() * sizeof(ElfW(Phdr)), header.e_phoff))
        return "damaged: it ends early";
    for (const auto& segment : segments) {
        if (segment.p_type == PT_LOAD && !Within(segment.p_offset, segment.p_filesz, size))
            return "damaged: it ends early";
    }
    if (header.e_shoff != 0 &&
        !Within(header.e_shoff, uint64_t{header.e_shnum} * header.e_shentsize, size))
        return "damaged: it ends early";
    return std::nullopt;
}

}  // namespace

std::unique_ptr<DocumentConverter> LoadDocumentConverter() {
    const std::filesystem::path module = ProgramDirectory() / "sorvani-annotate-rtf.so";
    const auto refusal = [&](const std::string& cause) {
        return ToolError(PathText(module) + ": RTF support cannot be loaded (" + cause + ")");
    };
    if (const auto damage = DamageOf(module)) throw refusal(*damage);
    // Never unloaded: Qt does not expect to leave the process before it ends.
    void* library = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* create = library ? ::dlsym(library, kCreateDocumentConverter) : nullptr;
    if (!create) {
        const char* cause = ::dlerror();
        throw refusal(cause ? cause : "no entry point");
    }
    return std::unique_ptr<DocumentConverter>(
        reinterpret_cast<CreateDocumentConverterFunction>(create)());
}

}  // namespace sorvani::annotate
