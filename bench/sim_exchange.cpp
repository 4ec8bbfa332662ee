// Order-8 exchanges against quorvane-sensor-sim over loopback: exchanges per second and the
// simulator's own CPU time per exchange (from /proc/<pid>/stat).
//
// Usage: bench_sim_exchange [exchanges]   (default 20000)
#include "link/core/frame.h"
#include "link/core/orders.h"
#include "live/core/measured_values.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Simulator {
  pid_t pid = -1;
  int port = 0;
};

Simulator startSimulator() {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char program[] = QUORVANE_SIM_PATH;
  char portOption[] = "--tcp-port";
  char zero[] = "0";
  char *argv[] = {program, portOption, zero, nullptr};
  Simulator sim;
  if (posix_spawn(&sim.pid, program, &actions, nullptr, argv, environ) != 0) sim.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string line;
  char c;
  while (sim.pid > 0 && read(out[0], &c, 1) == 1 && c != '\n')
    line += c;
  close(out[0]);
  if (line.rfind("TCP PORT ", 0) == 0) sim.port = std::atoi(line.c_str() + 9);
  return sim;
}

// User plus system CPU time of a process, in seconds.
double cpuSeconds(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Fields after the command name, which is in parentheses and may contain blanks.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::vector<std::string> f;
  for (std::string s; fields >> s;)
    f.push_back(s);
  if (f.size() < 13) return 0;
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
  return (std::stod(f[11]) + std::stod(f[12])) / ticks; // utime, stime
}

bool readExactly(int fd, std::uint8_t *buffer, std::size_t n) {
  std::size_t got = 0;
  while (got < n) {
    const ssize_t r = read(fd, buffer + got, n - got);
    if (r <= 0) return false;
    got += static_cast<std::size_t>(r);
  }
  return true;
}

bool exchange(int fd, const std::vector<std::uint8_t> &request) {
  if (write(fd, request.data(), request.size()) != static_cast<ssize_t>(request.size()))
    return false;
  std::uint8_t reply[quorvane::kHeaderSize + quorvane::kMeasuredValuesBytes];
  return readExactly(fd, reply, sizeof reply) && reply[1] == 8;
}

} // namespace

int main(int argc, char **argv) {
  const long count = argc > 1 ? std::atol(argv[1]) : 20000;
  const Simulator sim = startSimulator();
  if (sim.pid <= 0 || sim.port == 0) {
    std::fprintf(stderr, "cannot start %s\n", QUORVANE_SIM_PATH);
    return 1;
  }
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(sim.port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int result = 1;
  if (connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
    const auto request =
        quorvane::buildFrame(quorvane::orderByte(quorvane::Order::ReadMeasurement), 0);
    bool ok = true;
    for (int i = 0; i < 500 && ok; ++i)
      ok = exchange(fd, request); // warm-up
    const double cpuBefore = cpuSeconds(sim.pid);
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count && ok; ++i)
      ok = exchange(fd, request);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpu = cpuSeconds(sim.pid) - cpuBefore;
    if (ok) {
      std::printf("order-8 exchanges:               %ld\n", count);
      std::printf("exchanges per second:            %.0f\n", count / wall);
      std::printf("round trip:                      %.1f us\n", wall / count * 1e6);
      std::printf("simulator CPU per exchange:      %.1f us\n", cpu / count * 1e6);
      result = 0;
    } else {
      std::fprintf(stderr, "exchange failed\n");
    }
  } else {
    std::perror("connect");
  }
  close(fd);
  kill(sim.pid, SIGTERM);
  waitpid(sim.pid, nullptr, 0);
  return result;
}
