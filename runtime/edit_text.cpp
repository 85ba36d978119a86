#include "runtime/edit_text.h"

#include "runtime/heap.h"

#include <algorithm>
#include <cstddef> // ptrdiff_t

namespace runtime {
namespace {

// Room left after an assigned text, so that the first keys typed into it do not copy it.
constexpr std::size_t MinimumGap = 64;

constexpr std::string_view CrLf = "\r\n";
constexpr std::string_view Cr = "\r";
constexpr std::string_view Lf = "\n";

// Calls `found` with the index just past each line end in `bytes`: every LF, and every CR that no LF follows.
// `lf_follows` tells whether the byte after `bytes` is an LF.
template <class Found>
void for_each_line_start(std::string_view bytes, bool lf_follows, Found&& found)
{
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        if (bytes[index] == '\n') {
            found(index + 1);
        } else if (bytes[index] == '\r') {
            bool const lf_next = index + 1 < bytes.size() ? bytes[index + 1] == '\n' : lf_follows;
            if (!lf_next)
                found(index + 1);
        }
    }
}

} // namespace

char* EditText::Pieces::copy_to(char* out) const noexcept
{
    return std::copy(after_gap.begin(), after_gap.end(), std::copy(before_gap.begin(), before_gap.end(), out));
}

void EditText::assign(std::string_view bytes)
{
    // The old text goes first, so that replacing a big text never holds two.
    storage_.reset();
    line_starts_ = std::vector<std::size_t>();
    capacity_ = heap_total(bytes.size(), MinimumGap);
    storage_ = std::make_unique_for_overwrite<char[]>(capacity_);
    std::copy(bytes.begin(), bytes.end(), storage_.get());
    gap_start_ = bytes.size();
    gap_end_ = capacity_;

    std::size_t starts = 1;
    for_each_line_start(bytes, false, [&starts](std::size_t) { ++starts; });
    line_starts_.reserve(starts);
    line_starts_.push_back(0);
    for_each_line_start(bytes, false, [this](std::size_t start) { line_starts_.push_back(start); });
    shifted_from_ = line_starts_.size();
    shift_ = 0;
}

void EditText::insert(std::size_t offset, std::string_view bytes)
{
    if (bytes.empty())
        return;
    // A start depends on the byte before it and the byte at it, so the one old start an insert can change is one at
    // the offset itself (line 0's never moves).
    std::size_t const first = first_line_starting_after(std::max<std::size_t>(offset, 1) - 1);
    std::size_t const end = first_line_starting_after(offset);
    open_gap(offset, bytes.size());
    std::copy(bytes.begin(), bytes.end(), storage_.get() + gap_start_);
    gap_start_ += bytes.size();
    reindex(offset, first, end, bytes.size());
}

void EditText::erase(std::size_t offset, std::size_t count)
{
    if (count == 0)
        return;
    // As for insert: here the old starts from the offset through the end of the erased bytes.
    std::size_t const first = first_line_starting_after(std::max<std::size_t>(offset, 1) - 1);
    std::size_t const end = first_line_starting_after(offset + count);
    move_gap(offset);
    gap_end_ += count;
    reindex(offset, first, end, std::size_t{0} - count);
}

std::size_t EditText::size() const noexcept
{
    return capacity_ - gap_size();
}

std::size_t EditText::line_count() const noexcept
{
    return line_starts_.size();
}

std::size_t EditText::line_start(std::size_t line) const noexcept
{
    return line < shifted_from_ ? line_starts_[line] : line_starts_[line] + shift_;
}

std::size_t EditText::line_length(std::size_t line) const noexcept
{
    std::size_t const next = line + 1 < line_count() ? line_start(line + 1) : size();
    return next - line_start(line) - line_end(line).size();
}

std::string_view EditText::line_end(std::size_t line) const noexcept
{
    if (line + 1 == line_count())
        return {};
    std::size_t const next = line_start(line + 1);
    if (byte_at(next - 1) == '\r')
        return Cr;
    // An LF right after the line's start has no CR of its own before it: that CR would have ended the line before.
    return next - line_start(line) >= 2 && byte_at(next - 2) == '\r' ? CrLf : Lf;
}

std::size_t EditText::line_at(std::size_t offset) const noexcept
{
    return first_line_starting_after(offset) - 1;
}

std::string EditText::bytes(std::size_t offset, std::size_t count) const
{
    Pieces const wanted = pieces(offset, count);
    std::string copy;
    copy.reserve(count);
    copy.append(wanted.before_gap).append(wanted.after_gap);
    return copy;
}

char* EditText::copy(std::size_t offset, std::size_t count, char* out) const noexcept
{
    return pieces(offset, count).copy_to(out);
}

Text EditText::text() const
{
    if (empty())
        return {};
    Text text = Text::with_size(size());
    pieces(0, size()).copy_to(text.data());
    return text;
}

std::string_view EditText::contiguous() noexcept
{
    move_gap(size());
    return {storage_.get(), size()};
}

char EditText::byte_at(std::size_t offset) const noexcept
{
    return storage_[offset < gap_start_ ? offset : offset + gap_size()];
}

EditText::Pieces EditText::pieces(std::size_t offset, std::size_t count) const noexcept
{
    char const* const data = storage_.get();
    std::size_t const before = offset < gap_start_ ? std::min(count, gap_start_ - offset) : 0;
    return {{data + offset, before}, {data + offset + before + gap_size(), count - before}};
}

std::size_t EditText::first_line_starting_after(std::size_t offset) const noexcept
{
    std::size_t low = 0;
    std::size_t high = line_count();
    while (low < high) {
        std::size_t const middle = low + (high - low) / 2;
        if (line_start(middle) <= offset)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void EditText::open_gap(std::size_t offset, std::size_t bytes)
{
    if (gap_size() >= bytes) {
        move_gap(offset);
        return;
    }
    // Growing by half as much again keeps a text typed or appended a line at a time amortised O(line).
    std::size_t const needed = heap_total(size(), bytes);
    std::size_t const capacity = heap_total({needed, needed / 2, MinimumGap});
    auto storage = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t const tail_size = size() - offset;
    pieces(0, offset).copy_to(storage.get());
    pieces(offset, tail_size).copy_to(storage.get() + capacity - tail_size);
    storage_ = std::move(storage);
    capacity_ = capacity;
    gap_start_ = offset;
    gap_end_ = capacity - tail_size;
}

void EditText::move_gap(std::size_t offset) noexcept
{
    char* const data = storage_.get();
    if (offset < gap_start_) {
        std::copy_backward(data + offset, data + gap_start_, data + gap_end_);
        gap_end_ -= gap_start_ - offset;
    } else {
        std::copy(data + gap_end_, data + gap_end_ + (offset - gap_start_), data + gap_start_);
        gap_end_ += offset - gap_start_;
    }
    gap_start_ = offset;
}

void EditText::reindex(std::size_t offset, std::size_t first, std::size_t end, std::size_t shift)
{
    move_pending_point(first);
    // The starts now possible are at the offset (never 0) through the gap's start, just past the new bytes; each is
    // decided by the byte before it and the byte at it.
    std::size_t const scan_from = std::max<std::size_t>(offset, 1) - 1;
    std::string_view const scanned(storage_.get() + scan_from, gap_start_ - scan_from);
    bool const lf_follows = gap_end_ < capacity_ && storage_[gap_end_] == '\n';

    std::size_t found = 0;
    for_each_line_start(scanned, lf_follows, [&found](std::size_t) { ++found; });
    auto const entry = [this](std::size_t line) {
        return line_starts_.begin() + static_cast<std::ptrdiff_t>(line);
    };
    if (found > end - first)
        line_starts_.insert(entry(end), found - (end - first), 0);
    else
        line_starts_.erase(entry(first + found), entry(end));
    std::size_t line = first;
    for_each_line_start(scanned, lf_follows,
                        [this, &line, scan_from](std::size_t start) { line_starts_[line++] = scan_from + start; });

    shifted_from_ = first + found;
    shift_ += shift;
    // With nothing stale the shift is forgotten, so that a later edit further up has nothing to undo.
    if (shifted_from_ == line_count())
        shift_ = 0;
}

// Entries before the line are made exact and those from it on stale by shift_, touching only those in between.
void EditText::move_pending_point(std::size_t line) noexcept
{
    if (shift_ != 0) {
        for (std::size_t stale = shifted_from_; stale < line; ++stale)
            line_starts_[stale] += shift_;
        for (std::size_t exact = line; exact < shifted_from_; ++exact)
            line_starts_[exact] -= shift_;
    }
    shifted_from_ = line;
}

} // namespace runtime
