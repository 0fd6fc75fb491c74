#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace velune::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// Generous bounds for one run: far above what a sound run needs, far below what a
// runaway would take.
struct Bounds {
  int seconds = 60;        // of real time, then the run is killed
  long address_mb = 2048;  // address space, not enforced under AddressSanitizer
  long resident_mb = 400;  // the most memory in use at any moment, checked afterwards
};

struct ChildRun {
  bool exited = false;     // ended by itself, not by a signal
  int status = -1;         // its exit status
  int signal = 0;          // the signal that ended it
  bool timed_out = false;  // killed at the time bound
  long resident_mb = 0;    // the most memory that it held at any moment
  std::string out;         // what it wrote

  // Sanitizers slow a run down and count their own memory: the bounds grow with them.
  bool WithinMemory(const Bounds& bounds) const {
    return resident_mb <= bounds.resident_mb * (kAddressSanitizer ? 4 : 1);
  }
};

// Runs `body` in a child process under the bounds: its address space is limited, it is
// killed when the time is up, and its peak memory is measured. What the body writes to
// the stream comes back in `out`, its result is the exit status. Nothing that goes wrong
// in the child can take the test program down with it.
inline ChildRun RunBounded(const std::function<int(std::ostream&)>& body, const Bounds& bounds) {
  char pattern[] = "/tmp/velune-child-XXXXXX";
  const int fd = ::mkstemp(pattern);
  if (fd < 0) throw std::runtime_error("no temporary file");
  ::close(fd);
  const std::string out_path = pattern;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!kAddressSanitizer) {
      const rlim_t bytes = static_cast<rlim_t>(bounds.address_mb) * 1024 * 1024;
      const rlimit limit{bytes, bytes};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    const int seconds = bounds.seconds * (kAddressSanitizer ? 4 : 1);
    const itimerval timer{{0, 0}, {seconds, 0}};
    ::setitimer(ITIMER_REAL, &timer, nullptr);  // SIGALRM ends the child
    int status = 111;
    {
      std::ofstream out(out_path, std::ios::binary);
      try {
        status = body(out);
      } catch (const std::exception& e) {
        out << "\nexception: " << e.what() << '\n';
        status = 112;
      }
    }
    ::_exit(status);
  }
  ChildRun run;
  int wait_status = 0;
  rusage usage{};
  ::wait4(pid, &wait_status, 0, &usage);
  run.exited = WIFEXITED(wait_status);
  run.status = run.exited ? WEXITSTATUS(wait_status) : -1;
  run.signal = WIFSIGNALED(wait_status) ? WTERMSIG(wait_status) : 0;
  run.timed_out = run.signal == SIGALRM;
  run.resident_mb = usage.ru_maxrss / 1024;
  std::ifstream in(out_path, std::ios::binary);
  run.out.assign(std::istreambuf_iterator<char>(in), {});
  std::filesystem::remove(out_path);
  return run;
}

}  // namespace velune::testing
