#pragma once
// A read-only view of part of an open file, mapped into memory.
//
// Scanning a large store through read() copies every byte from the page
// cache into a buffer; a mapping lets the scan read the cached pages where
// they are. The view is for transient whole-file scans: the stores never
// shorten a file they have open, and a mapping must not outlive such a scan.

#include <cstddef>
#include <cstdint>

class TFile;

class TFileView {
 public:
  // Maps `length` bytes of `file` from `offset`. When the mapping cannot be
  // made, `length` is 0 or the file ends before the range, Data() is null
  // and the caller reads instead.
  TFileView(const TFile& file, int64_t offset, size_t length);
  ~TFileView();
  TFileView(const TFileView&) = delete;
  TFileView& operator=(const TFileView&) = delete;

  const uint8_t* Data() const { return data_; }
  size_t Length() const { return length_; }

 private:
  void* base_ = nullptr;  // page-aligned start of the mapping
  size_t mapped_ = 0;
  const uint8_t* data_ = nullptr;
  size_t length_ = 0;
};
