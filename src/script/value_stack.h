// The machine's value stack: one block of address space reserved when the
// machine is made and filled with slots as calls nest. Slots never move, so
// a reference to a caller's local (an argument passed to a built-in) stays
// valid however deep the calls below it go, and deep recursion costs only
// the memory it touches.
#pragma once

#include <cstddef>

#include "script/value.h"

namespace velmora::script {

class ValueStack {
 public:
  // Reserves room for `max_slots` values; none is usable yet.
  explicit ValueStack(std::size_t max_slots);
  ~ValueStack();
  ValueStack(const ValueStack&) = delete;
  ValueStack& operator=(const ValueStack&) = delete;

  Value* data() { return slots_; }
  std::size_t max_slots() const { return max_slots_; }
  // Slots [0, usable()) hold values.
  std::size_t usable() const { return usable_; }
  // Makes at least `count` slots usable; false beyond max_slots().
  bool Reach(std::size_t count);
  // Gives the memory of the slots from `keep` on back to the system after a
  // deep recursion; those slots must be empty.
  void Shrink(std::size_t keep);

 private:
  Value* slots_ = nullptr;
  std::size_t max_slots_ = 0;
  std::size_t usable_ = 0;
};

}  // namespace velmora::script
