#include "output_sink.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "binary_streams.h"
#include "tool_error.h"

namespace sorvani::annotate {
namespace {

[[noreturn]] void ThrowStandardOutputError() {
    ThrowFileError("standard output", "cannot write",
                   std::error_code(errno, std::generic_category()));
}

}  // namespace

OutputSink::OutputSink(const std::optional<std::filesystem::path>& file) {
    if (file) file_.emplace(*file);
}

void OutputSink::Write(std::string_view bytes) {
    if (file_) return file_->Write(bytes);
    if (!WriteText(stdout, bytes)) ThrowStandardOutputError();
}

void OutputSink::Finish() {
    if (file_) return file_->Commit();
    if (std::fflush(stdout) != 0) ThrowStandardOutputError();
}

}  // namespace sorvani::annotate
