// Sprockets and text helpers shared by the output tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/sprockets.h"

namespace toothwright {

// The lines of a text in which every line, the last included, ends in CR LF. A lone CR or LF,
// or a last line without its CR LF, fails the calling test.
inline std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line without CR LF: " << text.substr(begin);
      break;
    }
    const std::string line = text.substr(begin, end - begin);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in " << line;
    lines.push_back(line);
    begin = end + 2;
  }
  return lines;
}

}  // namespace toothwright
