#pragma once

// The program keeps no global data; the set-up and release routines exist so that start-up and shut-down keep
// their fixed order.

namespace shell {

void global_data_setup();
void global_data_release();

} // namespace shell
