#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace runtime::qt {

// Gives screen readers the roster box's text, caret and selection, and lets them edit it. Installed once with
// QAccessible::installFactory.
QAccessibleInterface* roster_accessible_factory(QString const& class_name, QObject* object);

} // namespace runtime::qt
