#include "storage/File.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/Codec.h"

TFile::~TFile() { Close(); }

TFile::TFile(TFile&& other) noexcept
    : path_(std::move(other.path_)), fd_(other.fd_), position_(other.position_), error_(std::move(other.error_)) {
  other.fd_ = -1;
}

TFile& TFile::operator=(TFile&& other) noexcept {
  if (this != &other) {
    Close();
    path_ = std::move(other.path_);
    fd_ = other.fd_;
    position_ = other.position_;
    error_ = std::move(other.error_);
    other.fd_ = -1;
  }
  return *this;
}

void TFile::Assign(const std::string& realPath) {
  Close();
  path_ = realPath;
  error_.clear();
}

bool TFile::Fail(const std::string& what) {
  error_ = what + ": " + path_ + ": " + std::strerror(errno);
  return false;
}

bool TFile::Open(Mode mode, bool exclusiveWriter) {
  Close();
  error_.clear();
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::Read: flags |= O_RDONLY; break;
    case Mode::ReadWrite: flags |= O_RDWR; break;
    case Mode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
  }
  if (exclusiveWriter && mode == Mode::Create) {
    // Take the lock before truncating so that a running writer's file survives.
    int fd = ::open(path_.c_str(), (flags & ~O_TRUNC), 0644);
    if (fd < 0) return Fail("Cannot open file");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      int e = errno;
      ::close(fd);
      errno = e;
      error_ = "File is being written by another program: " + path_;
      return false;
    }
    if (::ftruncate(fd, 0) != 0) {
      int e = errno;
      ::close(fd);
      errno = e;
      return Fail("Cannot truncate file");
    }
    fd_ = fd;
    position_ = 0;
    return true;
  }
  int fd = ::open(path_.c_str(), flags, 0644);
  if (fd < 0) return Fail("Cannot open file");
  if (exclusiveWriter && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    error_ = "File is being written by another program: " + path_;
    return false;
  }
  fd_ = fd;
  position_ = 0;
  return true;
}

void TFile::Close() {
  if (fd_ >= 0) {
    ::close(fd_);  // also releases the lock
    fd_ = -1;
  }
  position_ = 0;
}

int64_t TFile::Size() const {
  if (fd_ < 0) return -1;
  struct stat st;
  if (::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

int64_t TFile::ReadSomeAt(int64_t offset, void* buffer, size_t count) {
  if (fd_ < 0) { error_ = "File not open: " + path_; return -1; }
  size_t done = 0;
  char* p = static_cast<char*>(buffer);
  while (done < count) {
    ssize_t n = ::pread(fd_, p + done, count - done, offset + static_cast<int64_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Read error");
      return -1;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

bool TFile::ReadAt(int64_t offset, void* buffer, size_t count) {
  int64_t n = ReadSomeAt(offset, buffer, count);
  if (n < 0) return false;
  if (static_cast<size_t>(n) != count) {
    error_ = "Read past end of file (truncated): " + path_;
    return false;
  }
  return true;
}

bool TFile::WriteAt(int64_t offset, const void* data, size_t count) {
  if (fd_ < 0) { error_ = "File not open: " + path_; return false; }
  size_t done = 0;
  const char* p = static_cast<const char*>(data);
  while (done < count) {
    ssize_t n = ::pwrite(fd_, p + done, count - done, offset + static_cast<int64_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail("Write error");
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

int64_t TFile::Read(void* buffer, size_t count) {
  int64_t n = ReadSomeAt(position_, buffer, count);
  if (n > 0) position_ += n;
  return n;
}

bool TFile::Write(const void* data, size_t count) {
  if (!WriteAt(position_, data, count)) return false;
  position_ += static_cast<int64_t>(count);
  return true;
}

bool TFile::Seek(int64_t offset) {
  if (offset < 0) { error_ = "Negative seek: " + path_; return false; }
  position_ = offset;
  return true;
}

bool TFile::Truncate(int64_t size) {
  if (fd_ < 0) { error_ = "File not open: " + path_; return false; }
  if (::ftruncate(fd_, size) != 0) return Fail("Cannot truncate file");
  return true;
}

bool TFile::Flush() {
  if (fd_ < 0) return false;
  if (::fdatasync(fd_) != 0) return Fail("Cannot flush file");
  return true;
}

bool TTextFile::Rewrite() {
  buffer_.clear(); bufferPos_ = 0; eof_ = false;
  return file_.Open(TFile::Mode::Create);
}

bool TTextFile::Append() {
  buffer_.clear(); bufferPos_ = 0; eof_ = false;
  int fd = ::open(file_.Path().c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0) ::close(fd);
  if (!file_.Open(TFile::Mode::ReadWrite)) return false;
  return file_.Seek(file_.Size());
}

bool TTextFile::Reset() {
  buffer_.clear(); bufferPos_ = 0; eof_ = false;
  return file_.Open(TFile::Mode::Read);
}

void TTextFile::Close() { file_.Close(); }

bool TTextFile::Write(const std::string& utf8Text) {
  std::string bytes = Utf8ToCp1250(utf8Text);
  return file_.Write(bytes.data(), bytes.size());
}

bool TTextFile::WriteLine(const std::string& utf8Line) { return Write(utf8Line + "\r\n"); }

bool TTextFile::FillBuffer() {
  if (eof_) return false;
  buffer_.erase(0, bufferPos_);
  bufferPos_ = 0;
  char chunk[65536];
  int64_t n = file_.Read(chunk, sizeof chunk);
  if (n <= 0) { eof_ = true; return false; }
  buffer_.append(chunk, static_cast<size_t>(n));
  return true;
}

bool TTextFile::ReadLine(std::string& utf8Line) {
  std::string bytes;
  for (;;) {
    if (bufferPos_ >= buffer_.size() && !FillBuffer()) {
      if (bytes.empty()) return false;
      break;
    }
    char c = buffer_[bufferPos_++];
    if (c == '\n') break;
    if (c == '\r') {
      if (bufferPos_ >= buffer_.size()) FillBuffer();
      if (bufferPos_ < buffer_.size() && buffer_[bufferPos_] == '\n') ++bufferPos_;
      break;
    }
    bytes.push_back(c);
  }
  utf8Line = Cp1250ToUtf8(bytes);
  return true;
}

bool ReadWholeFile(const std::string& realPath, std::string& bytes) {
  TFile f;
  f.Assign(realPath);
  if (!f.Open(TFile::Mode::Read)) return false;
  int64_t size = f.Size();
  if (size < 0) return false;
  bytes.resize(static_cast<size_t>(size));
  int64_t n = f.ReadSomeAt(0, bytes.data(), bytes.size());
  if (n < 0) return false;
  bytes.resize(static_cast<size_t>(n));
  return true;
}

bool WriteWholeFile(const std::string& realPath, const std::string& bytes) {
  TFile f;
  f.Assign(realPath);
  return f.Open(TFile::Mode::Create) && f.WriteAt(0, bytes.data(), bytes.size());
}

bool ReplaceWholeFile(const std::string& realPath, const std::string& bytes) {
  const std::string temporary = realPath + ".tmp";
  TFile f;
  f.Assign(temporary);
  bool ok = f.Open(TFile::Mode::Create) && f.WriteAt(0, bytes.data(), bytes.size()) && f.Flush();
  f.Close();
  if (ok && std::rename(temporary.c_str(), realPath.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}
