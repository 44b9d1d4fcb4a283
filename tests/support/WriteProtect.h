#pragma once
// Makes a file or folder unwritable for the length of a test. Tests run as
// root, where permission bits stop nothing, so the immutable attribute is
// tried first; permission bits are the fallback for an ordinary user. When
// neither holds (root without the attribute), Active() is false and the test
// skips that case. The protection is lifted through an open handle, so it
// goes even if the code under test moved the entry elsewhere.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

class TWriteProtect {
 public:
  explicit TWriteProtect(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return;
    if (SetImmutable(true)) {
      mode_ = Mode::Immutable;
    } else if (::geteuid() != 0 && ::fstat(fd_, &old_) == 0 && ::fchmod(fd_, old_.st_mode & 0555) == 0) {
      mode_ = Mode::Permissions;
    }
  }
  ~TWriteProtect() {
    if (mode_ == Mode::Immutable) SetImmutable(false);
    if (mode_ == Mode::Permissions) ::fchmod(fd_, old_.st_mode & 07777);
    if (fd_ >= 0) ::close(fd_);
  }
  TWriteProtect(const TWriteProtect&) = delete;
  TWriteProtect& operator=(const TWriteProtect&) = delete;

  bool Active() const { return mode_ != Mode::None; }

 private:
  enum class Mode { None, Immutable, Permissions };

  bool SetImmutable(bool on) {
    int flags = 0;
    if (::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) return false;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    return ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
  }

  int fd_ = -1;
  Mode mode_ = Mode::None;
  struct stat old_ {};
};
