#include "fake_word_processor.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {

void Restore(const char* name, const QByteArray& value) {
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

}  // namespace

FakeWordProcessor::FakeWordProcessor()
    : savedPath_(qgetenv("PATH")),
      savedDisplay_(qgetenv("DISPLAY")),
      savedWaylandDisplay_(qgetenv("WAYLAND_DISPLAY")) {
    qputenv("PATH", folder_.path().toLocal8Bit());
    qputenv("DISPLAY", ":99");
    qunsetenv("WAYLAND_DISPLAY");
}

FakeWordProcessor::~FakeWordProcessor() {
    qputenv("PATH", savedPath_);
    Restore("DISPLAY", savedDisplay_);
    Restore("WAYLAND_DISPLAY", savedWaylandDisplay_);
}

void FakeWordProcessor::Install(const QString& name, bool withWindows) {
    if (withWindows) {
        QFile plugin(folder_.filePath(QStringLiteral("libvclplug_gtk3lo.so")));
        if (!plugin.open(QIODevice::WriteOnly)) qFatal("cannot write the fake office's plugin");
    }
    QFile script(folder_.filePath(name));
    if (!script.open(QIODevice::WriteOnly)) qFatal("cannot write the fake word processor");
    // The record is written under another name and moved into place, so that it is whole once
    // it is there.
    script.write(
        "#!/bin/sh\nPATH=/usr/bin:/bin\nlog=\"$(dirname \"$0\")/log\"\n"
        "for argument; do printf '%s\\n' \"$argument\"; last=$argument; done "
        "> \"$log.part\"\n"
        "cat \"$last\" >> \"$log.part\"\nrm -f \"$last\"\nmv \"$log.part\" \"$log\"\n");
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
}

QByteArray FakeWordProcessor::WaitForRecord() const {
    QFile log(folder_.filePath(QStringLiteral("log")));
    for (QDeadlineTimer deadline(10000); !log.exists() && !deadline.hasExpired();)
        QThread::msleep(10);
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}
