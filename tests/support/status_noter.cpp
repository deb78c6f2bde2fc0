// A stand-in for a program that another program starts (the desktop's opener of a web page):
// first thing, before it starts anything itself, it copies its own /proc/self/status (its signal
// masks among the rest) to the file that ZV_NOTED_STATUS names. The copy appears whole or not at
// all: it is written to "<file>.part", made anew, and renamed over the file.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

int main() {
  // Read at once: nothing in this program runs before it but the runtime's own start.
  char status[16384];
  size_t size = 0;
  const int in = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    std::perror("status_noter: /proc/self/status");
    return 2;
  }
  for (;;) {
    const ssize_t n = ::read(in, status + size, sizeof status - size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    size += static_cast<size_t>(n);
    if (size == sizeof status) break;
  }
  ::close(in);

  const char* target = std::getenv("ZV_NOTED_STATUS");
  if (target == nullptr || *target == '\0') {
    std::fprintf(stderr, "status_noter: ZV_NOTED_STATUS names no file\n");
    return 2;
  }
  const std::string part = std::string(target) + ".part";
  const int out = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) {
    std::fprintf(stderr, "status_noter: %s: %s\n", part.c_str(), std::strerror(errno));
    return 2;
  }
  const bool written = WriteAll(out, status, size);
  if (::close(out) != 0 || !written || std::rename(part.c_str(), target) != 0) {
    std::fprintf(stderr, "status_noter: %s could not be written\n", target);
    ::unlink(part.c_str());
    return 2;
  }
  return 0;
}
