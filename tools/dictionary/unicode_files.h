#pragma once

#include <filesystem>
#include <sstream>
#include <string>

// Files of the Unicode Character Database as Debian installs them, plain or compressed.
namespace sorvani {

// The bytes of a file. Throws std::runtime_error when it cannot be read.
std::string ReadPlain(const std::filesystem::path& file);

// The decompressed content of a bzip2 file, all of its streams.
std::string ReadBzip2(const std::filesystem::path& file);

// The content of dir/name, or of dir/name.bz2 decompressed.
std::istringstream OpenDataFile(const std::filesystem::path& dir, const std::string& name);

class UnihanData;
// Unihan_Readings.txt, Unihan_Variants.txt and UnicodeData.txt from the folder.
void ReadUnicodeFolder(UnihanData& data, const std::filesystem::path& dir);

}  // namespace sorvani
