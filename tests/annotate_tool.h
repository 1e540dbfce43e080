// Runs sorvani-annotate as a script would and keeps what it leaves: its output bytes, its exit
// status, its one line on standard error, and the files in a folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary_file.h"
#include "program_run.h"
#include "test_dictionary.h"

namespace sorvani::testing_tool {

namespace fs = std::filesystem;
using test_support::Quote;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// Lines of characters the test dictionary knows, about `size` bytes.
inline std::string LongText(size_t size) {
    std::string line;
    for (int i = 0; i < 30; ++i) line += "中国啊";
    line += "\r\n";
    std::string text;
    text.reserve(size + line.size());
    while (text.size() < size) text += line;
    return text;
}

class AnnotateTool : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("sorvani-annotate-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        dictionary_ = dir_ / "dictionary.dll";
        test_support::WriteDictionaryFile(dictionary_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the program with the arguments (already quoted) and the bytes on standard input.
    Outcome Run(const std::string& arguments, std::string_view input = "",
                const fs::path& program = SORVANI_ANNOTATE) {
        return RunTo(dir_ / "stdout", arguments, input, program);
    }

    // The same with standard output going to the given file.
    Outcome RunTo(const fs::path& standardOutput, const std::string& arguments,
                  std::string_view input = "", const fs::path& program = SORVANI_ANNOTATE) {
        WriteBytes(dir_ / "stdin", input);
        const int status = test_support::RunProgram(
            Quote(program) + " " + arguments, {dir_ / "stdin", standardOutput, dir_ / "stderr"});
        std::string err = ReadBytes(dir_ / "stderr");
#ifdef _WIN32
        // Standard error is a text stream there: its lines end in CR LF.
        for (size_t at; (at = err.find("\r\n")) != std::string::npos;) err.erase(at, 1);
#endif
        return {status, ReadBytes(dir_ / "stdout"), err};
    }

    // Annotates with the test dictionary.
    Outcome Annotate(std::string_view input, const std::string& options = "") {
        return Run("--dictionary " + Quote(dictionary_) + " " + options, input);
    }

    static int LineCount(const std::string& text) {
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }

    fs::path dir_;
    fs::path dictionary_;
};

}  // namespace sorvani::testing_tool
