// The speed and memory bench: drives the real main window on Qt's offscreen platform and prints one table, every
// figure next to a baseline measured in the same run.
//   brisvale_bench [--smoke] [--folder DIR]
// --smoke runs every measurement once at small sizes; --folder is where the save bench writes (default: a
// folder in the current directory, which should be on the disk the program saves to).

#include "bench/benches.h"
#include "runtime/qt/application.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    bench::Scale const* scale = &bench::FullScale;
    std::filesystem::path folder = "brisvale-bench-files";
    for (int index = 1; index < argc; ++index) {
        if (std::strcmp(argv[index], "--smoke") == 0) {
            scale = &bench::SmokeScale;
        } else if (std::strcmp(argv[index], "--folder") == 0 && index + 1 < argc) {
            folder = argv[++index];
        } else {
            std::fprintf(stderr, "usage: %s [--smoke] [--folder DIR]\n", argv[0]);
            return 2;
        }
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    runtime::qt::prepare_application();

    std::vector<bench::Row> rows;
    for (auto&& part : {bench::process_rows(*scale), bench::ok_click_rows(*scale), bench::typing_rows(*scale),
                        bench::save_rows(*scale, folder), bench::encode_rows(*scale)})
        rows.insert(rows.end(), part.begin(), part.end());
    std::filesystem::remove(folder);
    bench::print_table(rows);
    return 0;
}
