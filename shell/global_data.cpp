#include "shell/global_data.h"

namespace shell {

void global_data_setup() {}

void global_data_release() {}

} // namespace shell
