#include "cli/interrupt_notifier.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quorvane::cli {
namespace {

// The write end, for the handler; -1 while no notifier exists. A signal handler can reach
// nothing else.
int g_signalWriteFd = -1; // NOLINT: only a plain global is safe to touch from a handler
int g_signalReadFd = -1;  // NOLINT

void onSignal(int signal) {
  const char byte = 1;
  if (g_signalWriteFd >= 0) (void)!::write(g_signalWriteFd, &byte, 1);
  // The next Ctrl+C is the operator insisting: the default action ends the program.
  std::signal(signal, SIG_DFL);
}

} // namespace

InterruptNotifier::InterruptNotifier(QObject *parent) : QObject(parent) {
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
  ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
  ::fcntl(fds[1], F_SETFL, O_NONBLOCK);
  g_signalWriteFd = fds[0];
  g_signalReadFd = fds[1];
  notifier_ = new QSocketNotifier(g_signalReadFd, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &InterruptNotifier::readPipe);
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

InterruptNotifier::~InterruptNotifier() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  if (g_signalWriteFd >= 0) ::close(g_signalWriteFd);
  if (g_signalReadFd >= 0) ::close(g_signalReadFd);
  g_signalWriteFd = g_signalReadFd = -1;
}

void InterruptNotifier::readPipe() {
  char buffer[16];
  while (::read(g_signalReadFd, buffer, sizeof buffer) > 0) {
  }
  if (interrupted_) return;
  interrupted_ = true;
  Q_EMIT interrupt();
}

} // namespace quorvane::cli
