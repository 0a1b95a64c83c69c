#include "Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

namespace {

std::string ReadFailure(const std::string& path, const std::string& reason) {
  return path + ": cannot read (" + reason + ")";
}

std::string WriteFailure(const std::string& path, const std::string& reason) {
  return path + ": cannot write (" + reason + ")";
}

// O_NONBLOCK keeps the open of a FIFO without a writer from waiting; fstat on
// the open descriptor then decides, so nothing can be swapped in between.
int OpenRegular(const std::string& path, std::string& error) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno == ENOENT ? path + ": cannot open the file" : ReadFailure(path, std::strerror(errno));
    return -1;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? path + ": is a folder, not a file" : path + ": is not a regular file";
    close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::string CheckRegularFile(const std::string& path) {
  std::string error;
  const int fd = OpenRegular(path, error);
  if (fd >= 0) close(fd);
  return error;
}

std::string ReadWholeFile(const std::string& path, std::string& bytes) {
  std::string error;
  const int fd = OpenRegular(path, error);
  if (fd < 0) return error;
  std::string read;
  try {
    char chunk[65536];
    for (;;) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = ReadFailure(path, std::strerror(errno));
        break;
      }
      if (n == 0) break;
      read.append(chunk, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    error = path + ": too large to read into memory";
  } catch (const std::length_error&) {
    error = path + ": too large to read into memory";
  }
  close(fd);
  if (error.empty()) bytes.swap(read);
  return error;
}

std::string FinalTarget(const std::string& path) {
  namespace fs = std::filesystem;
  // Linux itself gives up after 40 links.
  constexpr int kMaxLinks = 40;
  fs::path target(path);
  std::error_code error;
  for (int i = 0; i < kMaxLinks && fs::is_symlink(target, error); ++i) {
    const fs::path named = fs::read_symlink(target, error);
    if (error) break;
    target = named.is_absolute() ? named : target.parent_path() / named;
  }
  return target.string();
}

std::string ReplaceFile(const std::string& path, std::string_view text) {
  const std::string target = FinalTarget(path);
  std::string temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return WriteFailure(path, std::strerror(errno));

  // A replaced file keeps its permissions; a new one gets those any newly
  // created file would.
  mode_t mode = 0;
  if (struct stat old; stat(target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0;
  for (std::size_t done = 0; ok && done < text.size();) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  // On disk before it takes the old file's name: a crash then leaves one of
  // the two whole.
  ok = ok && fsync(fd) == 0;
  int reason = ok ? 0 : errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    reason = errno;
  }
  if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    reason = errno;
  }
  if (ok) return {};
  unlink(temporary.c_str());
  return WriteFailure(path, std::strerror(reason != 0 ? reason : EIO));
}
