#include "driver/user_input.h"

#include <cstring>
#include <vector>

namespace driver {
namespace {

INPUT key_input(WORD key, wchar_t character, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = character != 0 ? character : static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    return input;
}

void send(std::vector<INPUT>& inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace

void press(WORD key, bool shift, bool control)
{
    std::vector<INPUT> inputs;
    if (shift)
        inputs.push_back(key_input(VK_SHIFT, 0, 0));
    if (control)
        inputs.push_back(key_input(VK_CONTROL, 0, 0));
    inputs.push_back(key_input(key, 0, 0));
    inputs.push_back(key_input(key, 0, KEYEVENTF_KEYUP));
    if (control)
        inputs.push_back(key_input(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    if (shift)
        inputs.push_back(key_input(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    send(inputs);
}

void type(std::wstring_view text)
{
    std::vector<INPUT> inputs;
    for (wchar_t const character : text) {
        inputs.push_back(key_input(0, character, KEYEVENTF_UNICODE));
        inputs.push_back(key_input(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    send(inputs);
}

void put_on_clipboard(std::wstring const& text)
{
    std::size_t const bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL const block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

} // namespace driver
