// The dialogs of a save on Qt: the file dialog and the message boxes.

#include "runtime/controls.h"
#include "runtime/qt/main_window.h"
#include "runtime/qt/text_bridge.h"
#include "ui/file_filter.h"
#include "ui/layout.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace runtime {
namespace {

QString from_utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt reads a name filter's patterns only inside ASCII parentheses; an entry without a pattern of its own takes the
// one its description shows in full-width ones, and the details stay hidden, so the list reads as stored.
QString qt_name_filter(ui::FilterEntry const& entry)
{
    QString const description = qt::to_qstring(entry.description);
    QString pattern = qt::to_qstring(entry.pattern);
    if (pattern.isEmpty()) {
        qsizetype const open = description.lastIndexOf(u'（');
        qsizetype const close = description.lastIndexOf(u'）');
        pattern = open >= 0 && close > open ? description.mid(open + 1, close - open - 1) : QStringLiteral("*");
    }
    return description + QStringLiteral(" (") + pattern + u')';
}

QString first_folder()
{
    QString const documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

bool show_file_dialog(std::string_view)
{
    qt::MainWindow* window = qt::MainWindow::loaded();
    ui::FileDialogRecord const& record = ui::MainFileDialog;
    QFileDialog dialog(window, from_utf8(record.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The program asks itself about the file it will write, which is not always the name confirmed here.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite |
                      QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (ui::FilterEntry const& entry : ui::file_filter_entries(record.filter))
        filters.append(qt_name_filter(entry));
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.value(ui::initial_filter_entry(record.initial_filter), filters.front()));
    QString const& last = window->fileDialogName();
    if (last.isEmpty())
        dialog.setDirectory(first_folder());
    else
        dialog.selectFile(last);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
        return false;
    window->setFileDialogName(dialog.selectedFiles().front());
    return true;
}

std::filesystem::path file_dialog_name(std::string_view)
{
    QByteArray const name = QFile::encodeName(qt::MainWindow::loaded()->fileDialogName());
    return std::filesystem::path(name.constData(), name.constData() + name.size());
}

bool ask_yes_no(std::string_view title, std::string_view question)
{
    QMessageBox box(QMessageBox::Warning, from_utf8(title), from_utf8(question), QMessageBox::Yes | QMessageBox::No,
                    qt::MainWindow::loaded());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void show_error(std::string_view title, std::string_view message)
{
    QMessageBox box(QMessageBox::Critical, from_utf8(title), from_utf8(message), QMessageBox::Ok,
                    qt::MainWindow::loaded());
    box.exec();
}

} // namespace runtime
