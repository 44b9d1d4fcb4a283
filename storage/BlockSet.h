#pragma once
// A set of block numbers kept as a bitmap: the blob table's free blocks.
//
// The blob table always takes the lowest free block, and the lowest free
// one after a given block, so both questions must be cheap on a table of
// hundreds of thousands of blocks. Lowest() skips the empty words at the
// front once (a cursor remembers where the first member can be); From()
// scans forward word by word.

#include <bit>
#include <cstdint>
#include <vector>

class TBlockSet {
 public:
  void Clear() {
    words_.clear();
    firstWord_ = 0;
  }
  void Insert(int32_t block) {
    const size_t w = static_cast<size_t>(block) / 64;
    if (w >= words_.size()) words_.resize(w + 1 + words_.size() / 2, 0);
    words_[w] |= Bit(block);
    if (w < firstWord_) firstWord_ = w;
  }
  void Erase(int32_t block) {
    const size_t w = static_cast<size_t>(block) / 64;
    if (w < words_.size()) words_[w] &= ~Bit(block);
  }
  // The lowest member, or -1 when the set is empty.
  int32_t Lowest() const {
    while (firstWord_ < words_.size() && words_[firstWord_] == 0) ++firstWord_;
    return firstWord_ < words_.size() ? Member(firstWord_, words_[firstWord_]) : -1;
  }
  // The lowest member that is `block` or above, or -1.
  int32_t From(int32_t block) const {
    if (block < 0) block = 0;
    size_t w = static_cast<size_t>(block) / 64;
    if (w >= words_.size()) return -1;
    uint64_t bits = words_[w] & (~uint64_t{0} << (block % 64));
    while (bits == 0) {
      if (++w >= words_.size()) return -1;
      bits = words_[w];
    }
    return Member(w, bits);
  }

 private:
  static uint64_t Bit(int32_t block) { return uint64_t{1} << (block % 64); }
  static int32_t Member(size_t word, uint64_t bits) {
    return static_cast<int32_t>(word * 64 + static_cast<size_t>(std::countr_zero(bits)));
  }

  std::vector<uint64_t> words_;
  mutable size_t firstWord_ = 0;  // no member lies in a word below this one
};
