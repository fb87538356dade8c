// The results and the preview: the two computed diameters, the picture and the caption under
// it, the G-code box, the DXF and SVG drawings held for their saves, the cut's figures in the
// More panel, and the note saying whether the results still match the fields. It keeps what the
// last successful run built and wrote.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "run/run.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace toothwright {

class PictureBox;
class TextStore;

// Shown in the results area, and as the saves' tip while they are disabled, once the fields no
// longer match the results.
inline constexpr const char* kStaleResultsMessage = "Results are for earlier settings: press Go";

class ResultsView : public QObject {
  Q_OBJECT

 public:
  // What the last successful run built and wrote.
  using LastRun = RunResults;

  // Takes the results' controls among the children of window and of its panel, and adds the
  // drawings' stores and the diameters' unit suffixes.
  ResultsView(QWidget* window, QWidget* panel);
  ~ResultsView() override;

  // The last successful run, or nullptr before the first and while Go has cleared the results
  // it replaces.
  const LastRun* Last() const { return last_run_.get(); }
  // The G-code box's text, as the person may have edited it, with CR LF line breaks.
  QString GCodeText() const;
  // The DXF and SVG drawings of the last run, held for their saves; empty before the first.
  QString DxfText() const;
  QString SvgText() const;
  // The fields changed since the last successful run.
  bool Stale() const { return results_stale_; }

  // Empties every result before a run, which then shows its own.
  void Clear();
  // Shows what the run made: its diameters, its picture, its program, its drawings and the
  // figures of its cut; the results are current again.
  void ShowRun(RunResults run);
  // The results no longer match the fields: the saves are disabled and the note says so. Has
  // no effect before the first run that succeeded, when there is nothing to save but the
  // G-code box.
  void MarkResultsStale();
  // Writes text into the note line of the results area, shortened to fit; whole in its tip.
  void ShowNote(const QString& text);

  // The handlers, each wired to its control's event and to nothing else.
  void CmdSelectGCODE_Click();
  void CheckShowToolpath_Click();

 private:
  // The controls the results are shown in, named as in the layout tables.
  struct Controls {
    QLineEdit* txtOutsideDiameter = nullptr;
    QLineEdit* txtPitchDiameter = nullptr;
    PictureBox* Picture1 = nullptr;
    QLabel* Label15 = nullptr;  // the caption under the picture
    QLabel* LabelResultsNote = nullptr;
    QPlainTextEdit* txtInfo = nullptr;
    QPushButton* CmdSelectGCODE = nullptr;
    TextStore* txtDXF = nullptr;
    TextStore* txtSVG = nullptr;
    QCheckBox* CheckShowToolpath = nullptr;
    QLineEdit* txtCutLength = nullptr;
    QLineEdit* txtCutTime = nullptr;
    QPushButton* CmdGCodeSave = nullptr;
    QPushButton* CmdDXFSave = nullptr;
    QPushButton* CmdSVGSave = nullptr;
    QPushButton* CmdToolpathSave = nullptr;
    QPushButton* CmdModelSave = nullptr;
    QPushButton* CmdCutPathSave = nullptr;
  };

  // The run's program: the cut's figures in their fields, the toolpath over the picture when
  // Show Toolpath is ticked, and the caption under the picture for what it shows.
  void ShowProgramResults();
  void DrawToolpathIfShown();
  // A run succeeded: the saves are enabled, the note cleared, the results' suffixes in its unit.
  void ShowResultsCurrent();
  // The saves of what a run made, each disabled while the results are stale.
  std::vector<QPushButton*> ResultSaves() const;

  Controls ui_;
  std::vector<QLabel*> result_suffixes_;  // of the two computed diameters
  std::unique_ptr<LastRun> last_run_;
  bool has_results_ = false;    // a run has succeeded since the window opened
  bool results_stale_ = false;  // ... and the fields changed since the last one
};

}  // namespace toothwright
