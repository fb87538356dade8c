// Entry point of toothwright-cli.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return toothwright::RunCli(args, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
}
