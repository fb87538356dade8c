// Helpers of the GoogleTest suites: the sprocket of fields a test expects to pass its checks,
// and the refusal of fields it expects to fail; the field texts of ANSI 40, 18 teeth come with
// them.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "sprocket/design.h"
#include "sprocket/fields.h"
#include "sprocket/job.h"
#include "sprocket/run.h"
#include "support/ansi40_18_teeth.h"

namespace toothwright {

// The job's sprocket, or the field that refused the texts.
inline std::variant<SprocketRun, FieldError> RunSprocket(const FieldTexts& fields) {
  auto job = MakeJob(fields);
  if (auto* error = std::get_if<FieldError>(&job)) return std::move(*error);
  return std::get<Job>(std::move(job)).sprocket;
}

// The field that refuses the texts, or nullopt when they pass.
inline std::optional<FieldError> CheckFields(const FieldTexts& fields) {
  auto read = ReadDesign(fields);
  if (auto* error = std::get_if<FieldError>(&read)) return std::move(*error);
  return std::nullopt;
}

// The message refusing the texts, or "" when they pass.
inline std::string RefusalMessage(const FieldTexts& fields) {
  const std::optional<FieldError> error = CheckFields(fields);
  return error ? error->message : "";
}

// The job of fields a test expects to pass its checks; an empty job when they fail.
inline Job JobOf(const FieldTexts& fields) {
  auto job = MakeJob(fields);
  if (auto* error = std::get_if<FieldError>(&job)) {
    ADD_FAILURE() << error->message << ": " << error->reason;
    return Job{};
  }
  return std::get<Job>(std::move(job));
}

inline SprocketRun MakeSprocket(const std::string& pitch, const std::string& teeth,
                                const std::string& roller) {
  auto result = RunSprocket({.pitch = pitch, .teeth = teeth, .roller = roller});
  EXPECT_TRUE(std::holds_alternative<SprocketRun>(result))
      << pitch << " " << teeth << " " << roller;
  return std::holds_alternative<SprocketRun>(result) ? std::get<SprocketRun>(std::move(result))
                                                     : SprocketRun{};
}

}  // namespace toothwright
