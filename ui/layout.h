#pragma once

// The main window's stored layout: the window record and its control records, in creation order.
//
// Every control sits at a fixed pixel position relative to the client area's top-left corner, as the program has
// always drawn it; nothing is arranged by a layout manager. Texts are UTF-8 here; what the roster handlers read
// from the controls goes through the text codec like any typed text.

#include <array>
#include <cstdint>
#include <string_view>

namespace ui {

enum class ControlKind { Label, EditBox, ComboBox, Button, FileDialog };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr Rgb Black{0, 0, 0};

struct WindowRecord {
    std::string_view caption;
    Rect outer;       // frame and caption included; the stored left and top are not used for placement
    int client_width; // what the controls need: the roster box reaches x = 552, the buttons y = 250
    int client_height;
    Rgb background;
    bool minimise_box;
    bool maximise_box;
    bool esc_closes;
    std::string_view icon; // asset file name
};

struct ControlRecord {
    std::string_view name = {};
    ControlKind kind = ControlKind::Label;
    Rect rect = {};
    std::string_view text = {}; // a label's or button's caption, an edit box's initial text
    Rgb text_rgb{};
    Rgb back_rgb = Black;
    bool visible = true;
    bool enabled = true;
    bool tab_stop = true;
    int tab_order = 0;
    // Edit boxes.
    bool multi_line = false;
    int max_length = 0;                 // 0: the box's own limit
    std::string_view typed_filter = {}; // characters that typing may enter; empty: any
    // Combo box.
    std::array<std::string_view, 2> items = {};
    int selected = -1;
    // Buttons: the picture's asset file name.
    std::string_view picture = {};
};

inline constexpr WindowRecord MainWindow{
    .caption = "Brisvale▓",
    .outer = {.left = 50, .top = 50, .width = 558, .height = 277},
    .client_width = 552,
    .client_height = 250,
    .background = Black,
    .minimise_box = false,
    .maximise_box = false,
    .esc_closes = false,
    .icon = "brisvale.ico",
};

// clang-format off
inline constexpr std::array MainWindowControls{
    ControlRecord{.name = "标签1", .kind = ControlKind::Label, .rect = {0, 24, 56, 32}, .text = "姓名：",
                  .text_rgb = {255, 128, 192}, .tab_stop = false},
    ControlRecord{.name = "标签2", .kind = ControlKind::Label, .rect = {0, 120, 56, 32}, .text = "年龄：",
                  .text_rgb = {128, 128, 255}, .tab_stop = false},
    ControlRecord{.name = "标签3", .kind = ControlKind::Label, .rect = {0, 72, 56, 32}, .text = "性别：",
                  .text_rgb = {0, 224, 128}, .tab_stop = false},
    ControlRecord{.name = "编辑框1", .kind = ControlKind::EditBox, .rect = {64, 16, 144, 40},
                  .text_rgb = {255, 0, 0}},
    ControlRecord{.name = "按钮1", .kind = ControlKind::Button, .rect = {0, 202, 56, 48}, .text = "确定",
                  .picture = "ok.bmp"},
    ControlRecord{.name = "按钮2", .kind = ControlKind::Button, .rect = {56, 202, 56, 48}, .text = "关闭",
                  .picture = "close.bmp"},
    ControlRecord{.name = "编辑框2", .kind = ControlKind::EditBox, .rect = {64, 112, 144, 40},
                  .text_rgb = {255, 128, 0}},
    ControlRecord{.name = "组合框1", .kind = ControlKind::ComboBox, .rect = {64, 72, 144, 40},
                  .text_rgb = {0, 136, 255}, .items = {"男", "女"}, .selected = 0},
    ControlRecord{.name = "编辑框3", .kind = ControlKind::EditBox, .rect = {216, 16, 336, 232},
                  .text_rgb = {255, 80, 128}, .multi_line = true},
    ControlRecord{.name = "按钮3", .kind = ControlKind::Button, .rect = {112, 202, 56, 48}, .text = "保存",
                  .picture = "save.bmp"},
    ControlRecord{.name = "通用对话框1", .kind = ControlKind::FileDialog, .rect = {16, 104, 40, 24},
                  .visible = false, .tab_stop = false},
    ControlRecord{.name = "按钮4", .kind = ControlKind::Button, .rect = {168, 202, 48, 48}, .text = "清空名单",
                  .picture = "clear.bmp"},
    ControlRecord{.name = "标签4", .kind = ControlKind::Label, .rect = {0, 160, 56, 32}, .text = "QQ号：",
                  .text_rgb = {255, 0, 0}, .tab_stop = false},
    ControlRecord{.name = "编辑框4", .kind = ControlKind::EditBox, .rect = {64, 160, 144, 40},
                  .text_rgb = {255, 255, 255}, .max_length = 10, .typed_filter = "0123456789-"},
};
// clang-format on

// The file dialog's stored settings. The filter is GBK bytes, as the rule that splits it reads them.
struct FileDialogRecord {
    std::string_view filter;
    int initial_filter;
    std::string_view title; // empty: the platform's own caption for a save dialog
};

inline constexpr FileDialogRecord MainFileDialog{
    .filter = "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE\xA3\xA8*.txt\xA3\xA9", // "文本文件（*.txt）"
    .initial_filter = 0,
    .title = "",
};

// The controls the roster handlers address.
namespace control {
inline constexpr std::string_view NameBox = "编辑框1";
inline constexpr std::string_view AgeBox = "编辑框2";
inline constexpr std::string_view RosterBox = "编辑框3";
inline constexpr std::string_view QqBox = "编辑框4";
inline constexpr std::string_view SexBox = "组合框1";
inline constexpr std::string_view FileDialog = "通用对话框1";
} // namespace control

} // namespace ui
