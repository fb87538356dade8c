// A helper of the GoogleTest suites that computes a sprocket the test expects to pass its
// checks; the field texts of ANSI 40, 18 teeth come with it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "sprocket/run.h"
#include "support/ansi40_18_teeth.h"

namespace toothwright {

inline SprocketRun MakeSprocket(const std::string& pitch, const std::string& teeth,
                                const std::string& roller) {
  auto result = RunSprocket({.pitch = pitch, .teeth = teeth, .roller = roller});
  EXPECT_TRUE(std::holds_alternative<SprocketRun>(result))
      << pitch << " " << teeth << " " << roller;
  return std::holds_alternative<SprocketRun>(result) ? std::get<SprocketRun>(std::move(result))
                                                     : SprocketRun{};
}

}  // namespace toothwright
