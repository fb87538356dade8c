// WriteModels loads the kernel's module on first use, from beside the program (the build
// folder) or from the installed library folder relative to it.
#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <filesystem>
#include <string>
#include <utility>
#include <variant>

#include "solid/job_model.h"
#include "solid/model_files.h"

namespace toothwright {
namespace {

constexpr const char* kModuleName = "toothwright-solid.so";

std::filesystem::path ProgramFolder() {
  std::array<char, PATH_MAX> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  return std::filesystem::path(std::string(buffer.data(), static_cast<size_t>(length)))
      .parent_path();
}

// The module's entry point, or why it could not be loaded. The module stays loaded for the
// rest of the process, as a library would.
std::variant<ModelFilesEntry, std::string> LoadEntry() {
  const std::filesystem::path folder = ProgramFolder();
  std::string failures;
  for (const std::filesystem::path& place :
       {folder / kModuleName, folder / TOOTHWRIGHT_MODULE_FOLDER / kModuleName}) {
    void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
      failures = dlerror();
      continue;
    }
    if (void* entry = dlsym(module, kModelFilesSymbol)) {
      return reinterpret_cast<ModelFilesEntry>(entry);
    }
    failures = dlerror();
  }
  return failures;
}

}  // namespace

ModelsWritten WriteModels(const Job& job, const ModelFormats& formats, ModelProgress* progress) {
  const auto entry = LoadEntry();
  if (const auto* failure = std::get_if<std::string>(&entry)) {
    return ModelsUnavailable{"3-D output is not available: " + *failure};
  }
  BuiltModelFiles built;
  std::get<ModelFilesEntry>(entry)(job, formats, progress, built);
  if (auto* refusal = std::get_if<FieldError>(&built)) return std::move(*refusal);
  if (std::holds_alternative<ModelsStopped>(built)) return ModelsStopped{};
  return std::get<ModelFiles>(std::move(built));
}

}  // namespace toothwright
