#pragma once

#include "runtime/application.h"
#include "ui/layout.h"

#include <QWidget>

#include <span>
#include <vector>

namespace runtime::qt {

// The main window, built from the stored layout. While it exists it is the window the handlers address; when it
// is destroyed, by the Close button's queued request or at once by the close box, a quit request with code 0 is
// queued.
class MainWindow : public QWidget {
  public:
    explicit MainWindow(std::span<ClickBinding const> bindings);
    ~MainWindow() override;
    MainWindow(MainWindow const&) = delete;
    MainWindow& operator=(MainWindow const&) = delete;

    // The window the handlers address, or null when none is loaded.
    [[nodiscard]] static MainWindow* loaded();

    // The control of that name in the stored layout; null for the file dialog, which is not a widget.
    [[nodiscard]] QWidget* control(std::string_view name) const;
    // The controls in focus order.
    [[nodiscard]] std::vector<QWidget*> const& focusOrder() const { return focusOrder_; }

    // The file dialog's file name: the last confirmed full path, empty before the first.
    [[nodiscard]] QString const& fileDialogName() const { return fileDialogName_; }
    void setFileDialogName(QString name) { fileDialogName_ = std::move(name); }

    // Shows the window in the normal state, its frame centred on the primary screen, and activates it.
    void showCentred();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setIcons();
    [[nodiscard]] QWidget* controlHolding(QWidget* widget) const;
    void moveFocus(int step);

    std::vector<QWidget*> controls_; // parallel to ui::MainWindowControls
    std::vector<QWidget*> focusOrder_;
    QString fileDialogName_;
};

} // namespace runtime::qt
