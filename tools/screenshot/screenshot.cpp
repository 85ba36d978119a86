// Renders the main window to a PNG, as the README shows it: a few people added through the real handlers.
//   cmake --build build --target screenshot && QT_QPA_PLATFORM=offscreen build/tools/screenshot/screenshot
//   docs/window.png

#include "roster/handlers.h"
#include "runtime/qt/application.h"
#include "runtime/qt/main_window.h"
#include "tools/screenshot/sample_people.h"
#include "ui/layout.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

#include <cstdio>

namespace {

void add(runtime::qt::MainWindow const& window, screenshot::SamplePerson const& person)
{
    static_cast<QLineEdit*>(window.control(ui::control::NameBox))->setText(QString::fromUtf8(person.name));
    static_cast<QComboBox*>(window.control(ui::control::SexBox))->setCurrentIndex(person.sex);
    static_cast<QLineEdit*>(window.control(ui::control::AgeBox))->setText(QString::fromUtf8(person.age));
    static_cast<QLineEdit*>(window.control(ui::control::QqBox))->setText(QString::fromUtf8(person.qq));
    roster::ok_button_click();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot OUTPUT.png\n");
        return 2;
    }
    QApplication application(argc, argv);
    runtime::qt::prepare_application();
    runtime::qt::MainWindow window({});
    window.showCentred();
    for (screenshot::SamplePerson const& person : screenshot::SamplePeople)
        add(window, person);
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
