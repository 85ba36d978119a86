#pragma once

// The text of a multi-line edit box, kept as the GB18030 bytes it is saved as, with an index of where each line
// starts. A box of a million lines then costs little more than its bytes, reading it whole is one copy, and an edit
// near the last one costs no more than the bytes it moves.
//
// A line ends at CR LF, at a lone CR or at a lone LF; the last line has no end. Neither byte occurs inside a GB18030
// character, so the lines are found in the bytes without decoding them.

#include "runtime/text.h"

#include <cstddef> // size_t
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

class EditText {
  public:
    EditText() = default;

    // Replaces the whole text.
    void assign(std::string_view bytes);
    // Inserts the bytes at the offset (at most size()).
    void insert(std::size_t offset, std::string_view bytes);
    // Removes `count` bytes from the offset (both within size()).
    void erase(std::size_t offset, std::size_t count);

    [[nodiscard]] std::size_t size() const noexcept;
    [[nodiscard]] bool empty() const noexcept { return size() == 0; }

    // At least 1: an empty text is one empty line.
    [[nodiscard]] std::size_t line_count() const noexcept;
    // Byte offset of the line's first byte.
    [[nodiscard]] std::size_t line_start(std::size_t line) const noexcept;
    // The line's length in bytes without its end.
    [[nodiscard]] std::size_t line_length(std::size_t line) const noexcept;
    // The line's end: "\r\n", "\r", "\n", or empty for the last line.
    [[nodiscard]] std::string_view line_end(std::size_t line) const noexcept;
    // The line that holds the byte at the offset; an offset inside a line end belongs to that line, size() to the
    // last line.
    [[nodiscard]] std::size_t line_at(std::size_t offset) const noexcept;

    // Copies `count` bytes from the offset to out, for a caller that has the room already; returns the end.
    char* copy(std::size_t offset, std::size_t count, char* out) const noexcept;
    // The bytes from the offset, `count` of them, as a copy.
    [[nodiscard]] std::string bytes(std::size_t offset, std::size_t count) const;
    // The line's bytes without its end.
    [[nodiscard]] std::string line(std::size_t line) const { return bytes(line_start(line), line_length(line)); }
    // The whole text in one copy; absent when empty.
    [[nodiscard]] Text text() const;
    // The whole text where it lies, without a copy: the gap moves to the end first. Valid until the next edit.
    [[nodiscard]] std::string_view contiguous() noexcept;

  private:
    // The text between two offsets as it lies in the storage: up to two runs, one on each side of the gap.
    struct Pieces {
        std::string_view before_gap;
        std::string_view after_gap;
        // Copies both runs to `out` and returns the end.
        char* copy_to(char* out) const noexcept;
    };

    [[nodiscard]] std::size_t gap_size() const noexcept { return gap_end_ - gap_start_; }
    [[nodiscard]] char byte_at(std::size_t offset) const noexcept;
    [[nodiscard]] Pieces pieces(std::size_t offset, std::size_t count) const noexcept;
    // The first line whose start is past the offset; at least 1, as line 0 starts at 0.
    [[nodiscard]] std::size_t first_line_starting_after(std::size_t offset) const noexcept;
    // Puts the gap at the offset, at least `bytes` long.
    void open_gap(std::size_t offset, std::size_t bytes);
    void move_gap(std::size_t offset) noexcept;
    // After an edit at the offset that left the gap just past its new bytes: replaces the entries of lines
    // [first, end), the old starts the edit may have changed, with the starts the bytes now give, and moves the
    // later lines by `shift`.
    void reindex(std::size_t offset, std::size_t first, std::size_t end, std::size_t shift);
    void move_pending_point(std::size_t line) noexcept;

    // A gap buffer: the text is storage_[0, gap_start_) followed by storage_[gap_end_, capacity_).
    std::unique_ptr<char[]> storage_;
    std::size_t capacity_ = 0;
    std::size_t gap_start_ = 0;
    std::size_t gap_end_ = 0;
    // line_starts_[0] is 0 and each later entry a line's start; entries from shifted_from_ on are stale by
    // shift_ bytes, which an edit settles only between its own line and the last edit's, so that a run of edits in
    // one place never walks the whole index. The shift is added modulo the size type's range, so a text that
    // shrank is a shift that wraps round.
    std::vector<std::size_t> line_starts_{0};
    std::size_t shifted_from_ = 1;
    std::size_t shift_ = 0;
};

} // namespace runtime
