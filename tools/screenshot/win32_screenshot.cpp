// Renders brisvale.exe's window to a PNG, as the README shows it beside the Qt one: the same people added through
// the real window, then the window's client area as it is on the screen. Run under Wine on a display:
//   build-win32/tests/wine-run.sh build-win32/screenshot.exe docs/window-win32.png

#include "driver/program.h"
#include "driver/programs.h"
#include "tools/screenshot/sample_people.h"
#include "ui/layout.h"

#include <wincodec.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

namespace control = ui::control;
constexpr char const* OkButton = "按钮1";

std::wstring from_utf8(char const* text)
{
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
    wide.pop_back(); // the NUL
    return wide;
}

void add(driver::Program const& program, screenshot::SamplePerson const& person)
{
    program.set_text(control::NameBox, from_utf8(person.name));
    program.select_item(control::SexBox, person.sex);
    program.set_text(control::AgeBox, from_utf8(person.age));
    program.set_text(control::QqBox, from_utf8(person.qq));
    program.click(OkButton);
}

// The window's client area as shown, copied off the screen.
HBITMAP capture(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    HDC const screen = GetDC(window);
    HDC const memory = CreateCompatibleDC(screen);
    HBITMAP const bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ const previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return bitmap;
}

// Writes the picture as a PNG through the system's imaging codecs.
bool save_png(HBITMAP bitmap, std::wstring const& file)
{
    IWICImagingFactory* factory = nullptr;
    IWICBitmap* source = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    bool const saved =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateBitmapFromHBITMAP(bitmap, nullptr, WICBitmapIgnoreAlpha, &source)) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->WriteSource(source, nullptr)) && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    for (IUnknown* object :
         {static_cast<IUnknown*>(frame), static_cast<IUnknown*>(encoder), static_cast<IUnknown*>(stream),
          static_cast<IUnknown*>(source), static_cast<IUnknown*>(factory)})
        if (object != nullptr)
            object->Release();
    return saved;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: screenshot OUTPUT.png\n", stderr);
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    driver::Program program(driver::brisvale_path());
    if (!program.started()) {
        std::fputs("brisvale.exe did not start\n", stderr);
        return 1;
    }
    for (screenshot::SamplePerson const& person : screenshot::SamplePeople)
        add(program, person);
    program.bring_to_front();
    RedrawWindow(program.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500); // the program paints in its own time
    HBITMAP const bitmap = capture(program.window());
    bool const saved = save_png(bitmap, argv[1]);
    DeleteObject(bitmap);
    program.close_box();
    (void)program.wait_for_exit();
    CoUninitialize();
    return saved ? 0 : 1;
}
