#include "unicode_files.h"

#include <bzlib.h>

#include <fstream>
#include <stdexcept>

#include "unihan_data.h"

namespace sorvani {

namespace fs = std::filesystem;

std::string ReadPlain(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ReadBzip2(const fs::path& file) {
    const std::string packed = ReadPlain(file);
    std::string text;
    bz_stream stream{};
    size_t offset = 0;
    char buffer[1 << 16];
    while (offset < packed.size()) {
        if (BZ2_bzDecompressInit(&stream, 0, 0) != BZ_OK)
            throw std::runtime_error("cannot decompress " + file.string());
        stream.next_in = const_cast<char*>(packed.data() + offset);
        stream.avail_in = static_cast<unsigned>(packed.size() - offset);
        int status = BZ_OK;
        while (status == BZ_OK) {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            status = BZ2_bzDecompress(&stream);
            const size_t produced = sizeof buffer - stream.avail_out;
            text.append(buffer, produced);
            if (status == BZ_OK && stream.avail_in == 0 && produced == 0) break;  // truncated
        }
        offset = packed.size() - stream.avail_in;
        BZ2_bzDecompressEnd(&stream);
        if (status != BZ_STREAM_END)
            throw std::runtime_error("corrupt bzip2 file " + file.string());
    }
    return text;
}

std::istringstream OpenDataFile(const fs::path& dir, const std::string& name) {
    const fs::path plain = dir / name;
    if (fs::exists(plain)) return std::istringstream(ReadPlain(plain));
    const fs::path packed = dir / (name + ".bz2");
    if (fs::exists(packed)) return std::istringstream(ReadBzip2(packed));
    throw std::runtime_error("neither " + plain.string() + " nor " + packed.string() + " exists");
}

void ReadUnicodeFolder(UnihanData& data, const fs::path& dir) {
    for (const char* name : {"Unihan_Readings.txt", "Unihan_Variants.txt"}) {
        auto in = OpenDataFile(dir, name);
        data.ReadUnihan(in);
    }
    auto unicodeData = OpenDataFile(dir, "UnicodeData.txt");
    data.ReadUnicodeData(unicodeData);
}

}  // namespace sorvani
