#include "runtime/qt/control_builders.h"

#include "runtime/qt/field_edit.h"
#include "runtime/qt/picture_button.h"
#include "runtime/qt/roster_edit.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QStyledItemDelegate>

#include <array>

namespace runtime::qt {
namespace {

QColor to_qcolor(ui::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

QString to_qstring(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Text and background in every role a control of this kind paints with. The inactive highlight is the
// background, so an edit box's selection is hidden while the box lacks the focus.
void paint_with(QWidget* widget, ui::ControlRecord const& record)
{
    QColor const text = to_qcolor(record.text_rgb);
    QColor const back = to_qcolor(record.back_rgb);
    QPalette palette = widget->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, back);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, back);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QWidget* build_label(ui::ControlRecord const& record, QWidget* window)
{
    auto* label = new QLabel(to_qstring(record.text), window);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setWordWrap(false);
    label->setFrameShape(QFrame::NoFrame);
    label->setTextFormat(Qt::PlainText);
    paint_with(label, record);
    return label;
}

QWidget* build_edit_box(ui::ControlRecord const& record, QWidget* window)
{
    if (record.multi_line) {
        auto* roster = new RosterEdit(window);
        paint_with(roster, record);
        return roster;
    }
    auto* field = new FieldEdit(to_qstring(record.typed_filter), window);
    if (record.max_length > 0)
        field->setMaxLength(record.max_length);
    field->setText(to_qstring(record.text));
    paint_with(field, record);
    return field;
}

// List items one pixel taller than the style's own.
class TallerItemDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(QStyleOptionViewItem const& option, QModelIndex const& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 1);
    }
};

QWidget* build_combo_box(ui::ControlRecord const& record, QWidget* window)
{
    auto* combo = new QComboBox(window);
    combo->setEditable(false);
    combo->setItemDelegate(new TallerItemDelegate(combo));
    for (std::string_view item : record.items)
        if (!item.empty())
            combo->addItem(to_qstring(item));
    combo->setCurrentIndex(std::clamp(record.selected, -1, combo->count() - 1));
    paint_with(combo, record);
    return combo;
}

// Each picture asset has a drawing at twice the pixels beside it, "ok@2x.bmp" beside "ok.bmp"; the file name
// gives it its device pixel ratio when it loads.
constexpr std::array PictureScaleSuffixes{"", "@2x"};

QIcon load_picture(std::string_view file_name)
{
    QIcon picture;
    if (file_name.empty())
        return picture;
    QFileInfo const file(QStringLiteral(":/assets/") + to_qstring(file_name));
    for (char const* suffix : PictureScaleSuffixes) {
        QPixmap const image(file.path() + QLatin1Char('/') + file.completeBaseName() + QLatin1String(suffix) +
                            QLatin1Char('.') + file.suffix());
        if (!image.isNull())
            picture.addPixmap(image);
    }
    return picture;
}

QWidget* build_button(ui::ControlRecord const& record, std::span<ClickBinding const> bindings, QWidget* window)
{
    QIcon const picture = load_picture(record.picture);
    auto* button = new PictureButton(to_qstring(record.text), picture, window);
    for (ClickBinding const& binding : bindings)
        if (binding.control == record.name)
            QObject::connect(button, &QPushButton::clicked, window, [handler = binding.handler] { handler(); });
    return button;
}

} // namespace

QWidget* build_control(ui::ControlRecord const& record, std::span<ClickBinding const> bindings, QWidget* window)
{
    QWidget* widget = nullptr;
    switch (record.kind) {
    case ui::ControlKind::Label:
        widget = build_label(record, window);
        break;
    case ui::ControlKind::EditBox:
        widget = build_edit_box(record, window);
        break;
    case ui::ControlKind::ComboBox:
        widget = build_combo_box(record, window);
        break;
    case ui::ControlKind::Button:
        widget = build_button(record, bindings, window);
        break;
    case ui::ControlKind::FileDialog:
        return nullptr;
    }
    widget->setObjectName(to_qstring(record.name));
    widget->hide();
    // A drop-down box's visible field is as high as its font needs; the stored height covers the list as well.
    int const height = record.kind == ui::ControlKind::ComboBox ? widget->sizeHint().height() : record.rect.height;
    widget->setGeometry(record.rect.left, record.rect.top, record.rect.width, height);
    widget->setEnabled(record.enabled);
    widget->setFocusPolicy(record.tab_stop ? Qt::StrongFocus : Qt::NoFocus);
    return widget;
}

} // namespace runtime::qt
