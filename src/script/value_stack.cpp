// The machine's value stack over reserved address space.
#include "script/value_stack.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

namespace velmora::script {
namespace {

std::size_t PageSize() {
  static const std::size_t size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// Slots are made usable a page-sized batch at a time.
std::size_t SlotsPerBatch() { return std::max<std::size_t>(1, 16 * PageSize() / sizeof(Value)); }

}  // namespace

ValueStack::ValueStack(std::size_t max_slots) : max_slots_(std::max<std::size_t>(1, max_slots)) {
  // Reserved, not committed: the kernel supplies a page when it is first touched.
  void* block = mmap(nullptr, max_slots_ * sizeof(Value), PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (block == MAP_FAILED) throw std::bad_alloc();
  slots_ = static_cast<Value*>(block);
}

ValueStack::~ValueStack() {
  std::destroy_n(slots_, usable_);
  munmap(slots_, max_slots_ * sizeof(Value));
}

bool ValueStack::Reach(std::size_t count) {
  if (count <= usable_) return true;
  if (count > max_slots_) return false;
  const std::size_t target = std::min(max_slots_, std::max(count, usable_ + SlotsPerBatch()));
  std::uninitialized_default_construct(slots_ + usable_, slots_ + target);
  usable_ = target;
  return true;
}

void ValueStack::Shrink(std::size_t keep) {
  // Whole pages only: the page holding slot `keep` may hold slots below it.
  const std::size_t page = PageSize();
  const auto base = reinterpret_cast<std::uintptr_t>(slots_);
  const std::uintptr_t first_page = (base + keep * sizeof(Value) + page - 1) / page * page;
  const std::size_t first_slot = (first_page - base) / sizeof(Value);
  if (first_slot >= usable_) return;
  std::destroy(slots_ + first_slot, slots_ + usable_);
  const std::uintptr_t end = base + usable_ * sizeof(Value);
  madvise(reinterpret_cast<void*>(first_page), end - first_page, MADV_DONTNEED);
  usable_ = first_slot;
}

}  // namespace velmora::script
