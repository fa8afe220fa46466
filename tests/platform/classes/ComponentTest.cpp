#include <gtest/gtest.h>

#include "platform/classes/Classes.h"

using namespace kel;

TEST(ComponentTest, Placeholder) { TComponent c(nullptr); EXPECT_EQ(c.ComponentCount(), 0); }
