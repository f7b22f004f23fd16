#pragma once
// A POSIX file descriptor owned by one object; internal to platform/storage.

#include <unistd.h>

namespace flexel::storage::detail {

class Fd {
 public:
  explicit Fd(int fd = -1) noexcept : m_fd(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd(Fd&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      reset();
      m_fd = other.m_fd;
      other.m_fd = -1;
    }
    return *this;
  }
  ~Fd() { reset(); }

  [[nodiscard]] int get() const noexcept { return m_fd; }
  void reset() noexcept {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }
  // Closes now so a failing close (delayed write errors) can be reported.
  [[nodiscard]] bool close() noexcept {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

}  // namespace flexel::storage::detail
