// Threads for the window's long work.
#include "ui/background_thread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>

namespace velmora::ui {

QThread* StartBackground(QObject* context, std::function<void()> work, std::function<void()> done) {
  QThread* thread = QThread::create(std::move(work));
  QObject::connect(thread, &QThread::finished, context, std::move(done), Qt::QueuedConnection);
  QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  thread->start();
  return thread;
}

void WaitForBackground(QThread* thread) {
  if (thread == nullptr) return;
  const QPointer<QThread> alive(thread);
  while (alive && !thread->wait(QDeadlineTimer(20))) QCoreApplication::processEvents();
}

}  // namespace velmora::ui
