#include "roster/handlers.h"

namespace roster {

void save_button_click() {}

} // namespace roster
