// The Drive window: the chain drive's fields (driven teeth, centre distance, links, speed), its
// figures and notes after each Go, its picture to scale and the saves of its drawings. It is
// made hidden with the main window, whose run reads its fields whether it is shown or not, and
// opened without blocking the main window by the "Drive..." button.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "sprocket/fields.h"
#include "sprocket/job.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace toothwright {

inline constexpr const char* kDriveCaption = "Drive - Toothwright 2.0";
// What the figures say before a run with a drive, or once the fields no longer match it.
inline constexpr const char* kNoDriveMessage =
    "Give driven teeth and a centre distance or links, then press Go";
inline constexpr const char* kStaleDriveMessage = "Figures are for earlier settings: press Go";

// The drive drawn to fit: both sprockets, the pitch line and the rollers.
class DrivePicture : public QWidget {
 public:
  explicit DrivePicture(QWidget* parent = nullptr);
  // Shows job's drive; a job without one, or nullptr, empties the picture.
  void Show(const Job* job);
  // Whether a drive is shown.
  bool HasDrive() const { return !paths_.empty(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Stroke;
  std::vector<Stroke> paths_;  // world coordinates, y up
  double min_x_ = 0, min_y_ = 0, max_x_ = 0, max_y_ = 0;
};

class DriveWindow : public QWidget {
  Q_OBJECT

 public:
  explicit DriveWindow(QWidget* parent);
  ~DriveWindow() override;

  // A field and the option row it fills.
  struct OptionField {
    const OptionRow* row;
    QLineEdit* edit;
  };
  const std::vector<OptionField>& Fields() const { return fields_; }
  // Writes the window's texts into fields.
  void ReadInto(FieldTexts& fields) const;
  // The field whose text a run reads into text, or nullptr for one the window has none of.
  QLineEdit* FieldEdit(std::string FieldTexts::*text) const;

  // Shows the figures, notes and picture of job's drive; without one, says what to give.
  void ShowRun(const Job& job);
  // The fields changed since the figures were shown.
  void MarkStale();
  // The figures as shown, a line each, then the notes, each after "Note: ".
  QString FiguresText() const;
  DrivePicture* Picture() { return picture_; }
  QPushButton* SavePictureButton() { return save_picture_; }
  QPushButton* SaveDrawingButton() { return save_drawing_; }

 signals:
  // Enter was pressed in one of the fields: Go.
  void GoRequested();

 private:
  std::vector<OptionField> fields_;
  QPlainTextEdit* figures_;
  QLabel* note_;
  DrivePicture* picture_;
  QPushButton* save_picture_;
  QPushButton* save_drawing_;
};

}  // namespace toothwright
