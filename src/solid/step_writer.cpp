// The kernel's STEP writer writes to a named file only: the file goes to a private temporary
// folder and is read back.
#include <APIHeaderSection_MakeHeader.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <TCollection_HAsciiString.hxx>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "solid/shape.h"
#include "solid/writers.h"

namespace toothwright {
namespace {

// A folder of its own under the system's temporary folder, removed when it goes.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "toothwright-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

SolidError Failed(const std::string& why) {
  return SolidError{"The STEP file could not be written: " + why};
}

}  // namespace

std::variant<std::string, SolidError> WriteStep(const SolidModel& model) {
  SilenceKernel();
  const SolidModel::Shape& shape = model.shape();
  const TemporaryFolder folder;
  if (folder.path().empty()) return Failed("no temporary folder");
  const std::filesystem::path file = folder.path() / "part.step";
  try {
    STEPControl_Writer writer;  // sets up the STEP settings before they are changed below
    Interface_Static::SetCVal("write.step.schema", "AP214IS");
    // The shape's coordinates are in the part's unit, and the file is to say so with the
    // coordinates as they are. This kernel writes them unscaled while its own unit is the
    // millimetre, whatever unit the file names (it scales them by the ratio of its unit to
    // the millimetre otherwise); a test reads the file back to keep it so.
    Interface_Static::SetCVal("xstep.cascade.unit", "MM");
    Interface_Static::SetCVal("write.step.unit", shape.metric ? "MM" : "INCH");
    if (writer.Transfer(shape.solid, STEPControl_ManifoldSolidBrep) != IFSelect_RetDone) {
      return Failed("the kernel could not translate the solid");
    }
    APIHeaderSection_MakeHeader header(writer.Model());
    header.SetName(new TCollection_HAsciiString("sprocket"));
    // A fixed time stamp: the same part gives the same bytes, from the window and the CLI.
    header.SetTimeStamp(new TCollection_HAsciiString("2000-01-01T00:00:00"));
    header.SetOriginatingSystem(new TCollection_HAsciiString("Toothwright"));
    if (writer.Write(file.c_str()) != IFSelect_RetDone) return Failed("the kernel's writer failed");
  } catch (const Standard_Failure& failure) {
    return Failed(failure.GetMessageString());
  }
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return Failed("the temporary file could not be read back");
  return bytes;
}

}  // namespace toothwright
