#include "roster/save_messages.h"

namespace roster {

std::string display_path(std::filesystem::path const& file)
{
    std::u8string const utf8 = std::filesystem::path(file).make_preferred().u8string();
    return {utf8.begin(), utf8.end()};
}

std::string save_failure_message(std::filesystem::path const& file, runtime::SaveFailure const& failure)
{
    std::string_view reason = SaveFailureReasons.back().reason;
    for (SaveFailureReason const& entry : SaveFailureReasons)
        if (entry.kind == failure.kind)
            reason = entry.reason;
    return "无法保存“" + display_path(file) + "”：" + std::string(reason) + "（错误代码 " +
           std::to_string(failure.code) + "）。";
}

std::string replace_question(std::filesystem::path const& file)
{
    return "“" + display_path(file) + "”已存在。\n要替换它吗？";
}

} // namespace roster
