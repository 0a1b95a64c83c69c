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

// Reads what `fd` gives until its end; `name` stands for it in messages.
std::string ReadToEnd(int fd, const std::string& name, std::string& bytes) {
  std::string error;
  std::string read;
  try {
    char chunk[65536];
    for (;;) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = ReadFailure(name, std::strerror(errno));
        break;
      }
      if (n == 0) break;
      read.append(chunk, static_cast<std::size_t>(n));
    }
  } catch (const std::bad_alloc&) {
    error = name + ": too large to read into memory";
  } catch (const std::length_error&) {
    error = name + ": too large to read into memory";
  }
  if (error.empty()) bytes.swap(read);
  return error;
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
  error = ReadToEnd(fd, path, bytes);
  close(fd);
  return error;
}

std::string ReadStandardInput(std::string& bytes) {
  if (fcntl(0, F_GETFD) == -1) return "-: standard input is closed";
  return ReadToEnd(0, "-", bytes);
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

std::string CannotReplace(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path target(FinalTarget(path));
  std::error_code error;
  const fs::file_status status = fs::symlink_status(target, error);
  if (fs::is_symlink(status)) return std::strerror(ELOOP);
  if (fs::is_directory(status)) return "is a directory";
  // Renamed over, a FIFO or a device would silently become a plain file.
  if (fs::exists(status) && !fs::is_regular_file(status)) return "is not a regular file";
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  if (!fs::is_directory(folder, error)) {
    // Built by appending: GCC 12's -Wrestrict misfires at -O3 on a literal
    // prepended to a temporary string.
    const bool somethingElse = fs::exists(folder, error);
    std::string message = somethingElse ? "'" : "the folder '";
    message += folder.string();
    message += somethingElse ? "' is not a folder" : "' does not exist";
    return message;
  }
  // The new file is made beside the target, so the folder must take it even
  // when the target itself could be written in place.
  if (access(folder.c_str(), W_OK) != 0) return std::strerror(errno);
  return {};
}

ReplacingFile::ReplacingFile(const std::string& path)
    : fPath(path), fTarget(FinalTarget(path)), fTemporary(fTarget + ".XXXXXX") {
  fFd = mkstemp(fTemporary.data());
  if (fFd < 0) {
    Fail(errno);
    fTemporary.clear();
    return;
  }
  // A replaced file keeps its permissions; a new one gets those any newly
  // created file would.
  mode_t mode = 0;
  if (struct stat old; stat(fTarget.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  if (fchmod(fFd, mode) != 0) Fail(errno);
}

ReplacingFile::~ReplacingFile() {
  if (fFd >= 0) close(fFd);
  if (!fTemporary.empty()) unlink(fTemporary.c_str());
}

void ReplacingFile::Fail(int reason) {
  if (fReason == 0) fReason = reason != 0 ? reason : EIO;
}

void ReplacingFile::Write(std::string_view bytes) {
  for (std::size_t done = 0; Ok() && done < bytes.size();) {
    const ssize_t n = write(fFd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Fail(n < 0 ? errno : EIO);
    } else {
      done += static_cast<std::size_t>(n);
    }
  }
}

std::string ReplacingFile::Commit() {
  // On disk before it takes the old file's name: a crash then leaves one of
  // the two whole.
  if (Ok() && fsync(fFd) != 0) Fail(errno);
  if (fFd >= 0 && close(fFd) != 0) Fail(errno);
  fFd = -1;
  if (Ok() && std::rename(fTemporary.c_str(), fTarget.c_str()) != 0) Fail(errno);
  if (Ok()) {
    fTemporary.clear();
    return {};
  }
  if (!fTemporary.empty()) unlink(fTemporary.c_str());
  fTemporary.clear();
  return WriteFailure(fPath, std::strerror(fReason));
}

std::string ReplaceFile(const std::string& path, std::string_view text) {
  ReplacingFile file(path);
  file.Write(text);
  return file.Commit();
}
