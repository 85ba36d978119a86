#pragma once

// Text values: the run time's strings. The bytes are GB18030 (see gb18030.h), NUL-terminated, and the value may
// be absent (no text at all), which counts as the empty text wherever it is used. The length is kept, so a NUL
// pasted into a box cannot cut the text short.

#include "runtime/heap.h"

#include <cstddef> // size_t
#include <string_view>

namespace runtime {

class Text {
  public:
    Text() = default; // absent

    // A text of `size` bytes, uninitialised but for the NUL after them, for the caller to fill.
    [[nodiscard]] static Text with_size(std::size_t size);
    [[nodiscard]] static Text copy_of(std::string_view bytes);

    [[nodiscard]] bool absent() const noexcept { return block_ == nullptr; }
    [[nodiscard]] std::size_t size() const noexcept { return size_; }
    [[nodiscard]] char* data() noexcept { return block_.get(); }
    [[nodiscard]] char const* data() const noexcept { return block_.get(); }
    // The bytes; an absent text has none.
    [[nodiscard]] std::string_view bytes() const noexcept { return {block_ ? block_.get() : "", size_}; }

  private:
    HeapBlock block_;
    std::size_t size_ = 0;
};

} // namespace runtime
