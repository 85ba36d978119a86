#include "runtime/file_write.h"

#include <gtest/gtest.h>
