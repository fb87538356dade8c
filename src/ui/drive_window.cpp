// The Drive window lays its controls out with Qt's layouts: it is a window of its own, sized by
// the person, not a part of the main window's fixed form.
#include "ui/drive_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/extent.h"
#include "sprocket/drive.h"
#include "ui/window_layout.h"

namespace toothwright {
namespace {

// The picture's least size in pixels, and the room left round the drawing.
constexpr int kPictureWidth = 560;
constexpr int kPictureHeight = 260;
constexpr int kMarginPixels = 8;
constexpr int kFieldWidth = 120;
// An arc is drawn as chords of at most this angle.
constexpr double kChordAngle = std::numbers::pi / 32;

void AddSegments(QPainterPath& out, const Path& path) {
  if (path.segments.empty()) return;
  out.moveTo(path.segments.front().start.x, path.segments.front().start.y);
  for (const Segment& s : path.segments) {
    if (!IsArc(s)) {
      out.lineTo(s.end.x, s.end.y);
      continue;
    }
    const double a0 = std::atan2(s.start.y - s.centre.y, s.start.x - s.centre.x);
    double sweep = std::atan2(s.end.y - s.centre.y, s.end.x - s.centre.x) - a0;
    const bool ccw = s.kind == SegmentKind::CounterClockwiseArc;
    if (ccw && sweep < 0) sweep += 2 * std::numbers::pi;
    if (!ccw && sweep > 0) sweep -= 2 * std::numbers::pi;
    const int chords = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kChordAngle)));
    for (int i = 1; i <= chords; ++i) {
      const double a = a0 + sweep * i / chords;
      out.lineTo(s.centre.x + s.radius * std::cos(a), s.centre.y + s.radius * std::sin(a));
    }
  }
  out.closeSubpath();
}

}  // namespace

struct DrivePicture::Stroke {
  QPainterPath path;
  QColor colour;
};

DrivePicture::DrivePicture(QWidget* parent) : QWidget(parent) {
  setObjectName("PictureDrive");
  setMinimumSize(kPictureWidth, kPictureHeight);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
}

void DrivePicture::Show(const Job* job) {
  paths_.clear();
  if (job && job->drive) {
    const DriveLayout& d = *job->drive;
    Stroke parts{{}, Qt::black};
    for (const Path& path : d.driver_paths) AddSegments(parts.path, path);
    AddSegments(parts.path, d.driven_outline);
    Stroke line{{}, Qt::blue};
    AddSegments(line.path, d.pitch_line);
    Stroke rollers{{}, Qt::red};
    const double r = job->sprocket.RollerRadius;
    for (const Point& p : d.rollers) rollers.path.addEllipse(QPointF(p.x, p.y), r, r);
    const QRectF box = parts.path.boundingRect().united(rollers.path.boundingRect());
    min_x_ = box.left();
    max_x_ = box.right();
    min_y_ = box.top();
    max_y_ = box.bottom();
    paths_ = {parts, line, rollers};
  }
  update();
}

void DrivePicture::paintEvent(QPaintEvent*) {
  if (paths_.empty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const double width = std::max(max_x_ - min_x_, 1e-9);
  const double height = std::max(max_y_ - min_y_, 1e-9);
  const double scale = std::min((this->width() - 2 * kMarginPixels) / width,
                                (this->height() - 2 * kMarginPixels) / height);
  // y up: the drawing's top edge at the margin, centred across the widget.
  QTransform world;
  world.translate(this->width() / 2.0, this->height() / 2.0);
  world.scale(scale, -scale);
  world.translate(-(min_x_ + max_x_) / 2, -(min_y_ + max_y_) / 2);
  painter.setTransform(world);
  for (const Stroke& stroke : paths_) {
    QPen pen(stroke.colour);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawPath(stroke.path);
  }
}

DriveWindow::DriveWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("DriveWindow");
  setWindowTitle(QString::fromUtf8(kDriveCaption));
  auto* form = new QFormLayout;
  for (const OptionRow& row : kOptionRows) {
    if (row.panel.group != PanelGroup::Drive) continue;
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(row.control));
    edit->setFixedWidth(kFieldWidth);
    if (row.tooltip != nullptr) edit->setToolTip(QString::fromUtf8(row.tooltip));
    auto* label = new QLabel(QString::fromUtf8(row.caption), this);
    label->setObjectName(QString::fromLatin1(row.label));
    label->setBuddy(edit);
    form->addRow(label, edit);
    connect(edit, &QLineEdit::returnPressed, this, &DriveWindow::GoRequested);
    fields_.push_back({&row, edit});
  }
  figures_ = new QPlainTextEdit(this);
  figures_->setObjectName("txtDriveFigures");
  figures_->setReadOnly(true);
  figures_->setPlainText(QString::fromUtf8(kNoDriveMessage));
  note_ = new QLabel(this);
  note_->setObjectName("LabelDriveNote");
  note_->setWordWrap(true);
  save_picture_ = new QPushButton(tr("Save Drive Picture..."), this);
  save_picture_->setObjectName("CmdDrivePictureSave");
  save_picture_->setToolTip(tr("Saves the drive drawn to scale as SVG"));
  save_drawing_ = new QPushButton(tr("Save Drive Drawing..."), this);
  save_drawing_->setObjectName("CmdDriveDrawingSave");
  save_drawing_->setToolTip(tr("Saves the drive drawn to scale as DXF, stating its unit"));
  picture_ = new DrivePicture(this);

  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(figures_, 1);
  left->addWidget(note_);
  left->addWidget(save_picture_);
  left->addWidget(save_drawing_);
  auto* whole = new QHBoxLayout(this);
  whole->addLayout(left);
  whole->addWidget(picture_, 1);
}

DriveWindow::~DriveWindow() = default;

void DriveWindow::ReadInto(FieldTexts& fields) const {
  for (const OptionField& field : fields_) {
    fields.*(field.row->text) = field.edit->text().toStdString();
  }
}

QLineEdit* DriveWindow::FieldEdit(std::string FieldTexts::*text) const {
  for (const OptionField& field : fields_) {
    if (field.row->text == text) return field.edit;
  }
  return nullptr;
}

void DriveWindow::ShowRun(const Job& job) {
  note_->clear();
  if (!job.design.drive || !job.drive) {
    figures_->setPlainText(QString::fromUtf8(kNoDriveMessage));
    picture_->Show(nullptr);
    return;
  }
  QStringList lines;
  for (const std::string& line :
       DriveFigureLines(job.design, *job.design.drive, job.drive->slack)) {
    lines << QString::fromStdString(line);
  }
  for (const std::string& note : DriveNotes(job.design, *job.design.drive)) {
    lines << QStringLiteral("Note: ") + QString::fromStdString(note);
  }
  figures_->setPlainText(lines.join(QLatin1Char('\n')));
  picture_->Show(&job);
}

void DriveWindow::MarkStale() {
  if (picture_->HasDrive()) note_->setText(QString::fromUtf8(kStaleDriveMessage));
}

QString DriveWindow::FiguresText() const {
  return figures_->toPlainText();
}

}  // namespace toothwright
