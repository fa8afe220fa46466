#include "platform/db/LargeBlocks.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace kel {

namespace {

constexpr std::size_t HugePageSize = std::size_t{2} << 20;

}  // namespace

void* AllocateLargeBlock(std::size_t Size) {
  const bool huge = Size >= HugePageSize && Size % HugePageSize == 0;
  void* block = huge ? std::aligned_alloc(HugePageSize, Size) : std::malloc(Size);
  if (!block) throw std::bad_alloc();
  if (huge) madvise(block, Size, MADV_HUGEPAGE);
  return block;
}

void FreeLargeBlock(void* Block) noexcept { std::free(Block); }

}  // namespace kel
