#include "storage/FileView.h"

#include <sys/mman.h>
#include <unistd.h>

#include "storage/File.h"

TFileView::TFileView(const TFile& file, int64_t offset, size_t length) {
  if (!file.IsOpen() || length == 0 || offset < 0) return;
  // Touching a mapped page past the end of the file kills the process
  // (SIGBUS): a file shorter than the range (a segment cut short) is read
  // instead, and the read reports it.
  const int64_t size = file.Size();
  if (size < 0 || offset > size || static_cast<uint64_t>(size - offset) < length) return;
  const int64_t page = ::sysconf(_SC_PAGESIZE);
  if (page <= 0) return;
  const int64_t start = offset - offset % page;
  const size_t lead = static_cast<size_t>(offset - start);
  void* base = ::mmap(nullptr, lead + length, PROT_READ, MAP_SHARED, file.Handle(), static_cast<off_t>(start));
  if (base == MAP_FAILED) return;
  ::madvise(base, lead + length, MADV_SEQUENTIAL);
  base_ = base;
  mapped_ = lead + length;
  data_ = static_cast<const uint8_t*>(base) + lead;
  length_ = length;
}

TFileView::~TFileView() {
  if (base_) ::munmap(base_, mapped_);
}
