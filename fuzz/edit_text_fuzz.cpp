// An edit box's text under any run of edits. The input is a list of edits, each a kind byte, a two-byte offset and
// then an erase count or the bytes to insert; after every edit the text's bytes, its lines and the line of every
// offset must be those a plain string with the same edits gives when scanned afresh. Inserted bytes are mapped to
// "a", CR, LF and a lead byte, as only line ends matter to the index.

#include "fuzz/fuzz_check.h"
#include "runtime/edit_text.h"
#include "tests/support/scanned_lines.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char Alphabet[] = {'a', '\r', '\n', '\xD5'};

class Input {
  public:
    Input(std::uint8_t const* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool empty() const { return next_ == size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[next_++]; }
    std::size_t below(std::size_t limit) // 0 up to limit - 1, from two bytes
    {
        std::size_t const low = byte();
        return (low | std::size_t{byte()} << 8) % limit;
    }

  private:
    std::uint8_t const* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};

using testing_support::scanned_lines;

void check(runtime::EditText const& edit, std::string const& model)
{
    fuzz::require(edit.size() == model.size(), "size");
    fuzz::require(edit.bytes(0, edit.size()) == model, "bytes");
    runtime::Text const text = edit.text();
    fuzz::require(text.bytes() == model && text.absent() == model.empty(), "text, absent only when empty");

    auto const lines = scanned_lines(model);
    fuzz::require(edit.line_count() == lines.size(), "line count");
    std::size_t offset = 0;
    for (std::size_t line = 0; line < lines.size(); ++line) {
        fuzz::require(edit.line_start(line) == lines[line].start, "line start");
        fuzz::require(edit.line_length(line) == lines[line].content.size(), "line length");
        fuzz::require(edit.line_end(line) == lines[line].end, "line end");
        std::size_t const next = line + 1 < lines.size() ? lines[line + 1].start : model.size() + 1;
        for (; offset < next; ++offset)
            fuzz::require(edit.line_at(offset) == line, "line at an offset");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    Input input(data, size);
    runtime::EditText edit;
    std::string model;
    while (!input.empty()) {
        std::uint8_t const kind = input.byte() % 8;
        std::size_t const offset = input.below(model.size() + 1);
        if (kind < 4) {
            std::string inserted(input.byte(), '\0');
            for (char& byte : inserted)
                byte = Alphabet[input.byte() % sizeof Alphabet];
            edit.insert(offset, inserted);
            model.insert(offset, inserted);
        } else if (kind < 7) {
            std::size_t const count = input.byte() % (model.size() - offset + 1);
            edit.erase(offset, count);
            model.erase(offset, count);
        } else {
            edit.assign(model);
        }
        check(edit, model);
    }
    return 0;
}
