// Any bytes as an RTF file: reading never crashes or hangs, the document holds exactly the text
// that the tool annotates, and what was read survives being written and read again with the same
// text and formatting.
#include <QGuiApplication>
#include <QTextDocument>

#include "document_runs.h"
#include "rtf_reader.h"
#include "rtf_writer.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sorvani::documents;
    const RtfContent content = ReadRtfContent(QByteArrayView(data, static_cast<qsizetype>(size)));
    QTextDocument read;
    FillDocument(content, read);
    if (read.toRawText() != content.text) __builtin_trap();
    QTextDocument again;
    ReadRtf(WriteRtf(read), again);
    if (inspection::Paragraphs(again) != inspection::Paragraphs(read) ||
        inspection::Runs(again) != inspection::Runs(read))
        __builtin_trap();
    return 0;
}
