// Work that must not freeze the window (building the selection tree, the
// run) runs on a thread of its own and reports back by a queued signal.
#pragma once

#include <QThread>
#include <functional>

namespace velmora::ui {

// Starts `work` on a new thread; `done` runs on the window's thread after it,
// unless `context` is gone by then. The thread deletes itself.
QThread* StartBackground(QObject* context, std::function<void()> work, std::function<void()> done);

// Waits for `thread` to end while the window's thread keeps handling events,
// so that work waiting for an answer from the window (a message box) is
// answered instead of waiting for ever.
void WaitForBackground(QThread* thread);

}  // namespace velmora::ui
