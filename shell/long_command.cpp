#include "long_command.h"

#include <new>
#include <utility>

#include "document_error.h"
#include "long_work_cancelled.h"

namespace sorvani::shell {

LongCommand::LongCommand(State& state, QWidget& window, QTextEdit& box, int yieldMs)
    : state_(state),
      window_(window),
      box_(box),
      started_(!state.running),
      wasReadOnly_(box.isReadOnly()),
      events_([&state] { return state.closeRequested; }, yieldMs) {
    if (!started_) return;
    state_.running = true;
    state_.stop = std::stop_source();
    box_.setReadOnly(true);
}

LongCommand::~LongCommand() {
    if (!started_) return;
    box_.setReadOnly(wasReadOnly_);
    state_.running = false;
    if (std::exchange(state_.closeRequested, false)) window_.close();
}

bool LongCommand::DelaysClose(State& state) {
    if (!state.running) return false;
    state.closeRequested = true;
    state.stop.request_stop();
    return true;
}

std::optional<QString> FailureMessage(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const sorvani::LongWorkCancelled&) {
        return std::nullopt;
    } catch (const sorvani::documents::DocumentError& error) {
        return error.description();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("内存不足，无法完成这项操作。");
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("发生了未知的错误。");
    }
}

}  // namespace sorvani::shell
