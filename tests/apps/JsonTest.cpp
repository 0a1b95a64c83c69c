#include <gtest/gtest.h>

#include <limits>

#include "Json.h"

namespace {

// Whatever a host puts in a dump, the file must stay readable as UTF-8 JSON.
TEST(Json, WritesValidJsonForAnyStringAndAnyFloat) {
  const float inf = std::numeric_limits<float>::infinity();
  const Json value(Json::Array{Json("a\"\\\n\x01"
                                    "\xE7\x94\xBB"),
                               Json("\xFF"
                                    "b\xC3"),
                               Json(inf), Json(-inf), Json(std::numeric_limits<float>::quiet_NaN()), Json(0.1f)});
  EXPECT_EQ(value.Write(),
            "[\"a\\\"\\\\\\n\\u0001\xE7\x94\xBB\", \"\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\", \"inf\", \"-inf\", \"nan\", 0.1]\n");
}

}  // namespace
