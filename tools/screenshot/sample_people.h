#pragma once

// The people the README's pictures of the window show, added through OK one after another on either run time.

#include <array>

namespace screenshot {

struct SamplePerson {
    char const* name; // UTF-8
    int sex;          // the sex box's item: 0 男, 1 女
    char const* age;
    char const* qq;
};

constexpr std::array SamplePeople{
    SamplePerson{"张三", 0, "20", "123456789"},
    SamplePerson{"李四", 1, "31", "88-1024"},
    SamplePerson{"王小明", 0, "27", "2026121101"},
};

} // namespace screenshot
