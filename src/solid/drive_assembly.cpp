// The parts are gathered in one compound, each moved into place by a location: the kernel's
// STEP translator writes every solid of it.
#include "solid/drive_assembly.h"

#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRep_Builder.hxx>
#include <Standard_Failure.hxx>
#include <TopLoc_Location.hxx>
#include <TopoDS_Compound.hxx>
#include <gp.hxx>
#include <gp_Ax2.hxx>
#include <gp_Trsf.hxx>
#include <memory>

#include "numbers/units.h"
#include "solid/shape.h"
#include "solid/writers.h"
#include "sprocket/solid_fields.h"

namespace toothwright {
namespace {

TopoDS_Shape PlacedShape(const TopoDS_Shape& shape, double turn, Point offset) {
  gp_Trsf rotation;
  rotation.SetRotation(gp::OZ(), turn);
  gp_Trsf move;
  move.SetTranslation(gp_Vec(offset.x, offset.y, 0));
  return shape.Moved(TopLoc_Location(move * rotation));
}

// The width between the chain's inner plates in the part's unit; the thickness when the chain
// is not a standard one with a width.
double InnerWidth(const Design& d) {
  if (!d.chain || d.chain->inner_width <= 0) return *d.solid.thickness;
  return d.unit == LengthUnit::Inch ? d.chain->inner_width
                                    : d.chain->inner_width * kMillimetresPerInch;
}

}  // namespace

SolidPart DrivenPart(const Job& job, const SolidPart& driver) {
  const DriveLayout& drive = *job.drive;
  const ToothNumbers& driven = job.design.drive->driven;
  SolidPart part = driver;
  part.outline = drive.driven.outline;
  part.holes.clear();
  part.tooth = UnroundedTooth(drive.driven, 1);
  part.hub.reset();
  part.web_radius = WebRadius(driven.pitch, driven.teeth, driven.wall_radius, job.design.unit);
  return part;
}

std::variant<std::string, SolidError> WriteDriveStep(const Job& job, const SolidPart& driver_part,
                                                     const SolidModel& driver,
                                                     const ModelProgress* progress) {
  const DriveLayout& drive = *job.drive;
  auto driven = BuildSolid(DrivenPart(job, driver_part), progress);
  if (auto* error = std::get_if<SolidError>(&driven)) {
    return SolidError{"the driven sprocket: " + error->reason};
  }
  auto shape = std::make_shared<SolidModel::Shape>(driver.shape());
  try {
    BRep_Builder builder;
    TopoDS_Compound assembly;
    builder.MakeCompound(assembly);
    builder.Add(assembly, PlacedShape(driver.shape().solid, drive.driver_turn, {}));
    builder.Add(assembly, PlacedShape(std::get<SolidModel>(driven).shape().solid, drive.driven_turn,
                                      drive.driven_centre));
    const SolidPart& p = driver_part;
    const double width = InnerWidth(job.design);
    const double bottom = p.thickness / 2 - width / 2;
    const double length = (p.strands - 1) * p.transverse_pitch + width;
    for (const Point& roller : drive.rollers) {
      const gp_Ax2 axis(gp_Pnt(roller.x, roller.y, bottom), gp::DZ());
      builder.Add(assembly,
                  BRepPrimAPI_MakeCylinder(axis, job.sprocket.RollerRadius, length).Solid());
    }
    shape->solid = assembly;
  } catch (const Standard_Failure& failure) {
    return SolidError{std::string("The assembly could not be built: ") +
                      failure.GetMessageString()};
  }
  return WriteStep(SolidModel(std::move(shape)), progress, "Chain drive");
}

}  // namespace toothwright
