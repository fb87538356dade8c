// The kernel's STEP writer writes to a named file only: the file goes to a private temporary
// folder and is read back.
#include <APIHeaderSection_MakeHeader.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Controller.hxx>
#include <STEPControl_Writer.hxx>
#include <Standard_Failure.hxx>
#include <StepBasic_Product.hxx>
#include <StepData_StepModel.hxx>
#include <TCollection_HAsciiString.hxx>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "solid/kernel_break.h"
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

std::variant<std::string, SolidError> WriteStep(const SolidModel& model,
                                                const ModelProgress* progress,
                                                const char* product) {
  SilenceKernel();
  const SolidModel::Shape& shape = model.shape();
  const TemporaryFolder folder;
  if (folder.path().empty()) return Failed("no temporary folder");
  const std::filesystem::path file = folder.path() / "part.step";
  try {
    // The shape's coordinates are in the part's unit, and the file names that unit with the
    // coordinates as they are. The writer scales from the kernel's unit to the file's, taking
    // the file's unit when it is made: both are set to the part's unit before.
    STEPControl_Controller::Init();
    const char* unit = shape.unit == LengthUnit::Inch ? "INCH" : "MM";
    Interface_Static::SetCVal("write.step.schema", "AP214IS");
    Interface_Static::SetCVal("xstep.cascade.unit", unit);
    Interface_Static::SetCVal("write.step.unit", unit);
    STEPControl_Writer writer;
    const Handle(Message_ProgressIndicator) breaker = KernelBreakFor(progress);
    if (writer.Transfer(shape.solid, STEPControl_ManifoldSolidBrep, true,
                        Message_ProgressIndicator::Start(breaker)) != IFSelect_RetDone) {
      return Failed("the kernel could not translate the solid");
    }
    // The kernel numbers the product by the files written so far; name it plainly.
    const Handle(StepData_StepModel) step_model = writer.Model();
    for (int i = 1; i <= step_model->NbEntities(); ++i) {
      if (const auto named = Handle(StepBasic_Product)::DownCast(step_model->Value(i))) {
        named->SetId(new TCollection_HAsciiString(product));
        named->SetName(new TCollection_HAsciiString(product));
      }
    }
    APIHeaderSection_MakeHeader header(step_model);
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
