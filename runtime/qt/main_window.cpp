#include "runtime/qt/main_window.h"

#include "runtime/qt/application.h"
#include "runtime/qt/control_builders.h"
#include "runtime/qt/roster_edit.h"
#include "ui/focus_order.h"
#include "ui/icon_choice.h"
#include "ui/keyboard.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QScreen>

namespace runtime::qt {
namespace {

MainWindow* loaded_ = nullptr;

QString asset_path(std::string_view name)
{
    return QStringLiteral(":/assets/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

std::optional<ui::Key> layout_key(QKeyEvent const& event)
{
    // Ctrl+Tab and Alt+Tab belong to the controls and the desktop.
    bool const plain = !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (event.key()) {
    case Qt::Key_Tab:
        return plain ? std::optional(ui::Key::Tab) : std::nullopt;
    case Qt::Key_Backtab:
        return plain ? std::optional(ui::Key::Backtab) : std::nullopt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ui::Key::Enter;
    case Qt::Key_F1:
        return ui::Key::F1;
    default:
        return std::nullopt;
    }
}

QImage icon_image(QByteArray const& icon_file, std::size_t index)
{
    QBuffer buffer;
    buffer.setData(icon_file);
    QImageReader reader(&buffer, "ico");
    reader.jumpToImage(static_cast<int>(index));
    return reader.read();
}

} // namespace

MainWindow::MainWindow(std::span<ClickBinding const> bindings)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
{
    ui::WindowRecord const& record = ui::MainWindow;
    setWindowTitle(QString::fromUtf8(record.caption.data(), static_cast<qsizetype>(record.caption.size())));
    setFixedSize(record.client_width, record.client_height);
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(record.background.red, record.background.green, record.background.blue));
    setPalette(palette);
    setAutoFillBackground(true);
    setIcons();

    for (ui::ControlRecord const& control : ui::MainWindowControls)
        controls_.push_back(build_control(control, bindings, this));
    // Each control lies directly below the one created after it.
    for (QWidget* control : controls_)
        if (control != nullptr)
            control->raise();
    for (std::size_t index : ui::focus_order(ui::MainWindowControls))
        focusOrder_.push_back(controls_[index]);
    for (std::size_t index = 1; index < focusOrder_.size(); ++index)
        setTabOrder(focusOrder_[index - 1], focusOrder_[index]);
    for (std::size_t index = 0; index < controls_.size(); ++index)
        if (controls_[index] != nullptr && ui::MainWindowControls[index].visible)
            controls_[index]->show();
    if (!focusOrder_.empty())
        focusOrder_.front()->setFocus(Qt::OtherFocusReason);

    qApp->installEventFilter(this);
    loaded_ = this;
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    if (loaded_ == this) {
        loaded_ = nullptr;
        QMetaObject::invokeMethod(
            qApp, [] { request_quit(); }, Qt::QueuedConnection);
    }
}

MainWindow* MainWindow::loaded()
{
    return loaded_;
}

QWidget* MainWindow::control(std::string_view name) const
{
    for (std::size_t index = 0; index < controls_.size(); ++index)
        if (ui::MainWindowControls[index].name == name)
            return controls_[index];
    return nullptr;
}

void MainWindow::setIcons()
{
    QFile file(asset_path(ui::MainWindow.icon));
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray const bytes = file.readAll();
    auto const choice =
        ui::choose_window_icons(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!choice)
        return;
    QIcon icon;
    for (std::size_t index : {choice->big, choice->small})
        icon.addPixmap(QPixmap::fromImage(icon_image(bytes, index)));
    setWindowIcon(icon);
}

void MainWindow::showCentred()
{
    ui::Rect const& outer = ui::MainWindow.outer;
    if (QScreen const* screen = QGuiApplication::primaryScreen()) {
        QRect const full = screen->geometry();
        // Integer division rounds toward zero, as the stored placement rule says.
        move(full.left() + (full.width() - outer.width) / 2, full.top() + (full.height() - outer.height) / 2);
    }
    showNormal();
    activateWindow();
}

QWidget* MainWindow::controlHolding(QWidget* widget) const
{
    for (; widget != nullptr && widget != this; widget = widget->parentWidget())
        if (std::find(controls_.begin(), controls_.end(), widget) != controls_.end())
            return widget;
    return nullptr;
}

void MainWindow::moveFocus(int step)
{
    if (focusOrder_.empty())
        return;
    auto const current = std::find(focusOrder_.begin(), focusOrder_.end(), controlHolding(focusWidget()));
    auto const size = static_cast<std::ptrdiff_t>(focusOrder_.size());
    std::ptrdiff_t next = current == focusOrder_.end() ? 0 : (current - focusOrder_.begin() + step + size) % size;
    focusOrder_[static_cast<std::size_t>(next)]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false; // a dropped-down list or another window handles its own keys
    auto const key = layout_key(*static_cast<QKeyEvent*>(event));
    if (!key)
        return false;
    bool const in_roster_box = dynamic_cast<RosterEdit*>(controlHolding(widget)) != nullptr;
    return ui::apply_key_rule(*key, in_roster_box, [&](int step) { moveFocus(step); });
}

} // namespace runtime::qt
