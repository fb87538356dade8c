// Saves that cannot be written, through the window's real file writing and real message boxes
// (only the save dialog is scripted): a folder that does not exist, a read-only folder and a
// full device each give a box titled "Toothwright" naming the file and the reason, and what
// was at the path stays as it was. Devices, pipes and FIFOs are written straight through,
// never replaced by a finished file renamed over them.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <memory>
#include <optional>

#include "../cli/read_only_folder.h"
#include "fake_window_services.h"
#include "ui/main_window.h"

namespace toothwright {
namespace {

// The scripted save dialog with the desktop's own message boxes.
class RealMessageBoxes : public FakeWindowServices {
 public:
  void ShowMessage(const QString& prompt) override { QtWindowServices::ShowMessage(prompt); }
};

struct ShownBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Records every modal message box as it comes up and presses its OK button, as a user would.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() {
    timer_.callOnTimeout([this] { Answer(); });
    timer_.start(kPollMilliseconds);
  }
  QList<ShownBox> boxes;

 private:
  // How often the watcher looks for a box; the box's own event loop runs the timer.
  static constexpr int kPollMilliseconds = 5;

  void Answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    boxes.append({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->done(0);  // a box without OK is a failure the test reports; do not hang on it
    }
  }

  QTimer timer_;
};

// What is at a path, to tell whether a save replaced it.
struct Node {
  mode_t type = 0;  // 0: nothing
  dev_t device = 0;
  bool operator==(const Node&) const = default;
};

Node NodeAt(const QString& path) {
  struct stat s {};
  if (::lstat(QFile::encodeName(path).constData(), &s) != 0) return {};
  return {s.st_mode & S_IFMT, s.st_rdev};
}

// The entries beside path that a save could have left there: hidden ones and those whose
// names start with the file's name (where temporary files are made).
QStringList EntriesBeside(const QString& path) {
  const QFileInfo file(path);
  return QDir(file.absolutePath())
      .entryList({file.fileName() + "*", ".*"},
                 QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A new FIFO at path, opened for reading without blocking, so that a writer neither waits for
// a reader nor fills the pipe (the saves here are far below its 64 KiB).
class Fifo {
 public:
  explicit Fifo(const QString& path) {
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) == 0) {
      fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    }
  }
  ~Fifo() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fifo(const Fifo&) = delete;
  Fifo& operator=(const Fifo&) = delete;

  bool ok() const { return fd_ >= 0; }
  // What has been written into the FIFO and not read yet.
  QByteArray Read() const {
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
    return bytes;
  }

 private:
  int fd_ = -1;
};

}  // namespace

class SaveFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void failedSaveIsReported_data();
  void failedSaveIsReported();
  void specialFileIsWrittenThrough_data();
  void specialFileIsWrittenThrough();

 private:
  template <typename Widget>
  Widget* Find(const char* name) const {
    return window_->findChild<Widget*>(QString::fromLatin1(name));
  }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  QString GCodeFileBytes() const {
    return Find<QPlainTextEdit>("txtInfo")->toPlainText().replace("\n", "\r\n") + "\r\n";
  }
  bool FifoKeptByAWrite() const;

  std::unique_ptr<RealMessageBoxes> services_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<QTemporaryDir> temp_;
  std::unique_ptr<MessageBoxWatcher> watcher_;
};

void SaveFaultsTest::init() {
  services_ = std::make_unique<RealMessageBoxes>();
  window_ = std::make_unique<MainWindow>(services_.get());
  temp_ = std::make_unique<QTemporaryDir>();
  QVERIFY(temp_->isValid());
  watcher_ = std::make_unique<MessageBoxWatcher>();
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  Find<QLineEdit>("txtPitch")->setText("0.5");
  Find<QLineEdit>("txtNumberofTeeth")->setText("18");
  Find<QLineEdit>("txtRollerDiameter")->setText("0.3125");
  Find<QLineEdit>("txtCutDepth")->setText("0.125");
  Find<QLineEdit>("txtFeedRate")->setText("10");
  Find<QCheckBox>("Check1")->setChecked(true);
  Click("Command1");
  QVERIFY(watcher_->boxes.isEmpty());
  QVERIFY(!window_->DxfText().isEmpty());
}

void SaveFaultsTest::cleanup() {
  watcher_.reset();
  window_.reset();
  services_.reset();
  temp_.reset();
}

// Whether a FIFO the window's file writing has written to is still a FIFO. Checked before a
// save to /dev/full, which must not go ahead if the writing would put a file in its place.
bool SaveFaultsTest::FifoKeptByAWrite() const {
  const QString path = QDir(temp_->path()).filePath("probe-fifo");
  const Fifo fifo(path);
  if (!fifo.ok()) return false;
  const std::optional<QString> failure = services_->WriteTextFile(path, "probe");
  const bool kept = NodeAt(path).type == S_IFIFO && fifo.Read() == "probe" && !failure;
  QFile::remove(path);
  return kept;
}

void SaveFaultsTest::failedSaveIsReported_data() {
  QTest::addColumn<QString>("place");
  QTest::newRow("missing folder") << "missing folder";
  QTest::newRow("read-only folder") << "read-only folder";
  QTest::newRow("full device") << "full device";
}

// Both saves to the same path fail; each shows one box, and the path, its folder and the
// window's texts are as they were.
void SaveFaultsTest::failedSaveIsReported() {
  QFETCH(QString, place);
  const ReadOnlyFolder read_only(QDir(temp_->path()).filePath("read-only").toStdString());
  QString path;
  QString reason;  // the system's reason for the failure; empty: any, as long as there is one
  std::optional<QByteArray> kept_content;  // what must survive at path
  if (place == "missing folder") {
    path = QDir(temp_->path()).filePath("no such folder/sprocket.cam");
    reason = "No such file or directory";
  } else if (place == "read-only folder") {
    QVERIFY2(read_only.usable(), "no folder refuses new files to this process");
    path = QString::fromStdString(read_only.existing_file());
    kept_content = QByteArray::fromStdString(read_only.content());
  } else {
    QVERIFY2(FifoKeptByAWrite(), "the file writing replaces FIFOs; /dev/full left alone");
    path = "/dev/full";
    reason = "No space left on device";
  }
  const QStringList entries = EntriesBeside(path);
  const Node node = NodeAt(path);
  const QString gcode = Find<QPlainTextEdit>("txtInfo")->toPlainText();
  const QString dxf = window_->DxfText();

  services_->save_answers = {path, path};
  Click("CmdGCodeSave");
  Click("CmdDXFSave");

  QCOMPARE(watcher_->boxes.size(), 2);
  for (const ShownBox& box : watcher_->boxes) {
    QCOMPARE(box.title, "Toothwright");
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons.toInt(), QMessageBox::StandardButtons(QMessageBox::Ok).toInt());
    QVERIFY2(box.text.contains(path), qPrintable(box.text));
    const QString given = box.text.mid(box.text.lastIndexOf(": ") + 2);
    QVERIFY2(reason.isEmpty() ? !given.isEmpty() : given == reason, qPrintable(box.text));
  }
  QCOMPARE(NodeAt(path), node);
  if (kept_content) {
    QCOMPARE(QByteArray::fromStdString(ReadOnlyFolder::Read(path.toStdString())), *kept_content);
  }
  QCOMPARE(EntriesBeside(path), entries);  // no temporary file left beside the path
  QCOMPARE(Find<QPlainTextEdit>("txtInfo")->toPlainText(), gcode);
  QCOMPARE(window_->DxfText(), dxf);
}

void SaveFaultsTest::specialFileIsWrittenThrough_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("FIFO") << "FIFO";
  QTest::newRow("link to a FIFO") << "link";
  QTest::newRow("copy of the null device") << "device";
}

// The saved bytes go into what is at the path, which stays what it was.
void SaveFaultsTest::specialFileIsWrittenThrough() {
  QFETCH(QString, kind);
  const QDir dir(temp_->path());
  const Fifo fifo(dir.filePath("fifo"));
  QVERIFY(fifo.ok());
  QString path = dir.filePath("fifo");
  if (kind == "link") {
    path = dir.filePath("link");
    QVERIFY(QFile::link("fifo", path));
  } else if (kind == "device") {
    path = dir.filePath("null");
    const mode_t device_mode = S_IFCHR | 0666;
    if (::mknod(QFile::encodeName(path).constData(), device_mode, makedev(1, 3)) != 0) {
      QSKIP("this process may not make device nodes");
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    if (fd < 0) QSKIP("device nodes do not open in this folder");
    ::close(fd);
  }
  const Node node = NodeAt(path);
  const QStringList entries = EntriesBeside(path);

  services_->save_answers = {path};
  Click("CmdGCodeSave");
  QVERIFY2(watcher_->boxes.isEmpty(), qPrintable(watcher_->boxes.value(0).text));
  QCOMPARE(NodeAt(path), node);
  QCOMPARE(EntriesBeside(path), entries);
  if (kind != "device") QCOMPARE(QString::fromUtf8(fifo.Read()), GCodeFileBytes());
}

}  // namespace toothwright

QTEST_MAIN(toothwright::SaveFaultsTest)
#include "save_faults_test.moc"
