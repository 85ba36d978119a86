#include "driver/programs.h"

#include <windows.h>

#include <vector>

namespace driver {
namespace {

std::wstring beside_driver(std::wstring const& file_name)
{
    std::vector<wchar_t> path(32768);
    DWORD const length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::wstring folder(path.data(), length);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + file_name;
}

} // namespace

std::wstring brisvale_path()
{
    return beside_driver(L"brisvale.exe");
}

std::wstring probe_path()
{
    return beside_driver(L"brisvale_probe.exe");
}

} // namespace driver
