#include "runtime/gb18030.h"

#include <gtest/gtest.h>
