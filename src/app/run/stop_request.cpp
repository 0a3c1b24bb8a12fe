// The stop signal handler: only async-signal-safe work inside it.
#include "app/run/stop_request.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace velmora::app {
namespace {

std::atomic<int> interrupts{0};
std::atomic<bool> requested{false};

extern "C" void OnInterrupt(int) {
  if (interrupts.fetch_add(1) >= 1) {
    static const char kText[] = "\nvelmora: stopped at once\n";
    [[maybe_unused]] auto written = write(STDERR_FILENO, kText, sizeof kText - 1);
    _exit(130);
  }
  static const char kText[] = "\nvelmora: stopping after the current image (a second stop request stops at once)\n";
  [[maybe_unused]] auto written = write(STDERR_FILENO, kText, sizeof kText - 1);
}

}  // namespace

void InstallStopRequestHandler() {
  ClearStopRequest();
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  // A closed terminal (SIGHUP) and a polite kill (SIGTERM, as from a
  // service manager or a shutdown) end the run as cleanly as Ctrl-C does.
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool StopRequested() { return interrupts.load() > 0 || requested.load(); }
void ClearStopRequest() {
  interrupts.store(0);
  requested.store(false);
}
void RequestStop() { requested.store(true); }

}  // namespace velmora::app
