#include "platform/storage/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/core/error.h"
#include "platform/storage/file_descriptor.h"

namespace flexel::storage {
namespace detail {

[[noreturn]] void ThrowSystem(const std::string& what, const std::string& path, int err) {
  throw FileError(what + " \"" + path + "\": " + std::strerror(err));
}

}  // namespace detail

std::string ReadFileWhole(const std::string& path, std::size_t limit) {
  detail::Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));  // a FIFO must not block
  if (fd.get() < 0) detail::ThrowSystem("Cannot open", path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) detail::ThrowSystem("Cannot read", path, errno);
  if (!S_ISREG(st.st_mode)) throw FileError("Cannot read \"" + path + "\": not a regular file");
  auto tooLarge = [&] {
    return FileError("Cannot read \"" + path + "\": larger than " + std::to_string(limit) +
                     " bytes");
  };
  if (static_cast<std::uint64_t>(st.st_size) > limit) throw tooLarge();
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  // The file may change while it is read: read to its end, never past the limit.
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) detail::ThrowSystem("Cannot read", path, errno);
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > limit) throw tooLarge();
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

void WriteFileWhole(const std::string& path, std::string_view bytes, bool durable) {
  static std::atomic<unsigned> counter{0};
  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) detail::ThrowSystem("Cannot write", path, errno);
  }
  if (raw < 0) detail::ThrowSystem("Cannot write", path, EEXIST);
  detail::Fd fd(raw);
  auto fail = [&](int err) {
    ::unlink(temp.c_str());
    detail::ThrowSystem("Cannot write", path, err);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(errno);
    done += static_cast<std::size_t>(n);
  }
  if (durable && ::fsync(fd.get()) != 0) fail(errno);
  if (!fd.close()) fail(errno);
  if (::rename(temp.c_str(), path.c_str()) != 0) fail(errno);
}

}  // namespace flexel::storage
