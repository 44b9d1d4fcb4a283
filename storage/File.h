#pragma once
// File handles bound to a real (host) path.
//
// IFileSystem::AssignFile / AssignTextFile only bind a name; opening, reading
// and writing are the caller's. Every operation reports failure by its result
// and keeps the operating system's reason in Error(); nothing throws.

#include <cstddef>
#include <cstdint>
#include <string>

class TFile {
 public:
  enum class Mode {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write
    Create,     // create or truncate, read and write
  };

  TFile() = default;
  ~TFile();
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;
  TFile(TFile&& other) noexcept;
  TFile& operator=(TFile&& other) noexcept;

  // Binds the handle to a real path (closing it first if open).
  void Assign(const std::string& realPath);
  const std::string& Path() const { return path_; }

  // Opens the bound path. With `exclusiveWriter`, the file is locked so that
  // other processes may still read it but a second writer (which also asks for
  // the lock) fails with a clear error instead of corrupting it.
  bool Open(Mode mode, bool exclusiveWriter = false);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }
  // The operating system's descriptor, for mapping (TFileView); -1 when closed.
  int Handle() const { return fd_; }

  // Size in bytes, or -1 on error.
  int64_t Size() const;

  // Reads exactly `count` bytes at `offset`; false on error or a short read
  // (Error() then says "truncated").
  bool ReadAt(int64_t offset, void* buffer, size_t count);
  // Reads up to `count` bytes at `offset`; returns the number read or -1.
  int64_t ReadSomeAt(int64_t offset, void* buffer, size_t count);
  bool WriteAt(int64_t offset, const void* data, size_t count);

  // Sequential access from the current position.
  int64_t Read(void* buffer, size_t count);
  bool Write(const void* data, size_t count);
  bool Seek(int64_t offset);
  int64_t Position() const { return position_; }

  bool Truncate(int64_t size);
  bool Flush();

  const std::string& Error() const { return error_; }

 private:
  bool Fail(const std::string& what);

  std::string path_;
  int fd_ = -1;
  int64_t position_ = 0;
  std::string error_;
};

// A line-oriented text file in Windows-1250 with CR LF line ends.
// Lines are given and returned as UTF-8.
class TTextFile {
 public:
  void Assign(const std::string& realPath) { file_.Assign(realPath); }
  const std::string& Path() const { return file_.Path(); }

  bool Rewrite();  // create or truncate for writing
  bool Append();   // open for appending, creating the file if missing
  bool Reset();    // open for reading
  void Close();

  bool WriteLine(const std::string& utf8Line);
  bool Write(const std::string& utf8Text);
  // Reads the next line (CR LF, LF or CR ends it); false at end of file.
  bool ReadLine(std::string& utf8Line);

  const std::string& Error() const { return file_.Error(); }

 private:
  bool FillBuffer();

  TFile file_;
  std::string buffer_;
  size_t bufferPos_ = 0;
  bool eof_ = false;
};

// Whole-file helpers on real paths: raw bytes, no conversion.
bool ReadWholeFile(const std::string& realPath, std::string& bytes);
bool WriteWholeFile(const std::string& realPath, const std::string& bytes);
// Writes a temporary file beside the target, flushes it and renames it over
// the target, so that the old file stays whole until the new one is.
bool ReplaceWholeFile(const std::string& realPath, const std::string& bytes);
