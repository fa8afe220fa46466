// Large memory blocks for the row cache and its slot tables: a block whose size is a multiple of
// 2 MB asks for huge pages, so memory for a million rows costs a few hundred page faults rather
// than tens of thousands.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace kel {

void* AllocateLargeBlock(std::size_t Size);
void FreeLargeBlock(void* Block) noexcept;

struct TLargeBlockDeleter {
  void operator()(void* Block) const noexcept { FreeLargeBlock(Block); }
};

// A growing array whose elements never move: the first 2 MB grow like a vector, the rest comes in
// blocks of 2 MB. Growing to millions of entries copies nothing.
template <typename T>
class TSlotArray {
 public:
  std::size_t size() const { return FSize; }
  T& operator[](std::size_t Index) { return Index < PerBlock ? FHead[Index] : Tail(Index); }
  const T& operator[](std::size_t Index) const { return Index < PerBlock ? FHead[Index] : Tail(Index); }
  void push_back(T Value) {
    if (FSize < PerBlock) {
      FHead.push_back(Value);
    } else {
      if ((FSize - PerBlock) % PerBlock == 0)
        FBlocks.emplace_back(static_cast<T*>(AllocateLargeBlock(PerBlock * sizeof(T))));
      Tail(FSize) = Value;
    }
    ++FSize;
  }
  void clear() {
    FHead = {};
    FBlocks.clear();
    FSize = 0;
  }

 private:
  static constexpr std::size_t PerBlock = (std::size_t{2} << 20) / sizeof(T);

  T& Tail(std::size_t Index) const {
    const std::size_t tail = Index - PerBlock;
    return FBlocks[tail / PerBlock].get()[tail % PerBlock];
  }

  std::vector<T> FHead;
  std::vector<std::unique_ptr<T, TLargeBlockDeleter>> FBlocks;
  std::size_t FSize = 0;
};

}  // namespace kel
