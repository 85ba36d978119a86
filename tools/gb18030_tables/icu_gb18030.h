#pragma once

// ICU's "gb18030" converter, the reference the codec's tables are taken from and its tests are checked against.
// It reports unmapped and malformed input instead of substituting, so that a result is always a real mapping.

#include <unicode/ucnv.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace gb18030_tables {

class IcuGb18030 {
  public:
    IcuGb18030()
    {
        UErrorCode status = U_ZERO_ERROR;
        converter_ = ucnv_open("gb18030", &status);
        if (U_SUCCESS(status)) {
            ucnv_setFromUCallBack(converter_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
            ucnv_setToUCallBack(converter_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        }
        if (U_FAILURE(status)) {
            ucnv_close(converter_);
            throw std::runtime_error(std::string("cannot open ICU's gb18030 converter: ") + u_errorName(status));
        }
    }
    ~IcuGb18030() { ucnv_close(converter_); }
    IcuGb18030(IcuGb18030 const&) = delete;
    IcuGb18030& operator=(IcuGb18030 const&) = delete;

    // The GB18030 bytes of the text; none if some of it has no mapping (an unpaired surrogate).
    [[nodiscard]] std::optional<std::string> encode(std::u16string_view text) const
    {
        std::string bytes(4 * text.size() + 1, '\0'); // four bytes at most per UTF-16 unit
        UErrorCode status = U_ZERO_ERROR;
        const std::int32_t size = ucnv_fromUChars(converter_, bytes.data(), static_cast<std::int32_t>(bytes.size()),
                                                  text.data(), static_cast<std::int32_t>(text.size()), &status);
        if (U_FAILURE(status))
            return std::nullopt;
        bytes.resize(static_cast<std::size_t>(size));
        return bytes;
    }

    // The UTF-16 text of the bytes; none if they are not a whole sequence of valid GB18030 codes.
    [[nodiscard]] std::optional<std::u16string> decode(std::string_view bytes) const
    {
        std::u16string text(bytes.size() + 1, u'\0'); // one unit at most per byte
        UErrorCode status = U_ZERO_ERROR;
        const std::int32_t size = ucnv_toUChars(converter_, text.data(), static_cast<std::int32_t>(text.size()),
                                                bytes.data(), static_cast<std::int32_t>(bytes.size()), &status);
        if (U_FAILURE(status))
            return std::nullopt;
        text.resize(static_cast<std::size_t>(size));
        return text;
    }

  private:
    UConverter* converter_ = nullptr;
};

} // namespace gb18030_tables
