#include "ui/icon_choice.h"

#include <gtest/gtest.h>
