#pragma once

#include <QApplication>
#include <memory>

#include "frmmain.h"
#include "recording_prompts.h"

namespace sorvani::shell {

// The main window, shown and active, its prompts answered by the recording prompts it leaves in
// `prompts`.
inline std::unique_ptr<frmmain> ShownWindow(const sorvani::PinyinDictionary& dictionary,
                                            RecordingPrompts*& prompts) {
    auto recording = std::make_unique<RecordingPrompts>();
    prompts = recording.get();
    auto window = std::make_unique<frmmain>(dictionary, std::move(recording));
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    return window;
}

}  // namespace sorvani::shell
