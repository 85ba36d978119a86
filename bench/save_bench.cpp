#include "bench/benches.h"

#include "bench/bench_window.h"
#include "bench/roster_text.h"
#include "runtime/controls.h"
#include "runtime/file_write.h"
#include "ui/layout.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace bench {
namespace {

constexpr double SaveBound = 1.5;

// The file system's own limit: the same bytes with nothing but write, fdatasync and rename.
void plain_write(std::filesystem::path const& folder, std::string_view bytes)
{
    std::filesystem::path const temporary = folder / "plain.tmp";
    int const fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::perror("plain write");
        return;
    }
    while (!bytes.empty()) {
        ssize_t const written = ::write(fd, bytes.data(), bytes.size());
        if (written <= 0) {
            std::perror("plain write");
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    ::fdatasync(fd);
    ::close(fd);
    std::filesystem::rename(temporary, folder / "plain.txt");
}

// As the Save button writes the roster once its name is confirmed.
void save_roster(std::filesystem::path const& target)
{
    runtime::use_content(ui::control::RosterBox, [&target](std::string_view roster) {
        if (runtime::write_file(target, roster))
            std::fputs("save failed\n", stderr);
    });
}

} // namespace

std::vector<Row> save_rows(Scale const& scale, std::filesystem::path const& folder)
{
    std::filesystem::create_directories(folder);
    QPointer window = open_bench_window();
    runtime::write_content(ui::control::RosterBox, roster_text(scale.big_roster_lines));
    settle();
    runtime::Text const bytes = runtime::read_content(ui::control::RosterBox);
    std::filesystem::path const target = folder / "roster.txt";

    std::vector<double> ours;
    std::vector<double> plain;
    for (int save = 0; save < scale.saves; ++save) {
        // Alternating the order keeps either from always following the other's write-back.
        if (save % 2 == 0)
            ours.push_back(time_once([&] { save_roster(target); }));
        plain.push_back(time_once([&] { plain_write(folder, bytes.bytes()); }));
        if (save % 2 == 1)
            ours.push_back(time_once([&] { save_roster(target); }));
    }
    delete window;
    std::filesystem::remove(target);
    std::filesystem::remove(folder / "plain.txt");

    double const ours_median = median(ours);
    double const plain_median = median(plain);
    return {bounded_row("Save, " + std::to_string(scale.big_roster_lines) +
                            " lines = " + mebibytes(static_cast<double>(bytes.size())) +
                            " (baseline: plain write + fdatasync + rename)",
                        duration(ours_median), duration(plain_median), ours_median / plain_median, SaveBound)};
}

} // namespace bench
