#include "fake_word_processor.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

FakeWordProcessor::FakeWordProcessor() : savedPath_(qgetenv("PATH")) {
    qputenv("PATH", folder_.path().toLocal8Bit());
}

FakeWordProcessor::~FakeWordProcessor() { qputenv("PATH", savedPath_); }

void FakeWordProcessor::Install(const QString& name) {
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
