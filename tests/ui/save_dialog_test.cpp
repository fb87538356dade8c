// The desktop's save dialog behind the window services, driven as a person would: it opens on
// the proposed name with the requested filter selected, and a name typed without an extension
// gets the selected filter's first one from the dialog itself, which then asks before
// replacing that file.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/qt_window_services.h"
#include "ui/save_names.h"

namespace toothwright {

class SaveDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void typedNameGetsTheSelectedFiltersExtension_data();
  void typedNameGetsTheSelectedFiltersExtension();
};

void SaveDialogTest::typedNameGetsTheSelectedFiltersExtension_data() {
  QTest::addColumn<QString>("proposed");  // the file name proposed, in the folder
  QTest::addColumn<QString>("selected");  // the filter the dialog opens with
  QTest::addColumn<int>("filter_steps");  // Down keys pressed in the filter list
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("saved");  // the file name returned
  QTest::addColumn<QString>("filter");
  const QStringList gcode = GCodeFilters();
  QTest::newRow("Cam") << "" << gcode[0] << 0 << "part"
                       << "part.cam" << gcode[0];
  QTest::newRow("G-code picked") << "" << gcode[0] << 1 << "part"
                                 << "part.ngc" << gcode[1];
  QTest::newRow("All files picked") << "" << gcode[0] << 2 << "part"
                                    << "part" << gcode[2];
  QTest::newRow("typed with an extension") << "" << gcode[0] << 0 << "part.nc"
                                           << "part.nc" << gcode[0];
  QTest::newRow("proposal confirmed") << "first.nc" << gcode[1] << 0 << ""
                                      << "first.nc" << gcode[1];
}

void SaveDialogTest::typedNameGetsTheSelectedFiltersExtension() {
  QFETCH(QString, proposed);
  QFETCH(QString, selected);
  QFETCH(int, filter_steps);
  QFETCH(QString, typed);
  QFETCH(QString, saved);
  QFETCH(QString, filter);
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QDir dir(folder.path());
  const SaveRequest request{.filters = GCodeFilters(),
                            .selected_filter = selected,
                            .initial_folder = folder.path(),
                            .file_name = proposed.isEmpty() ? QString() : dir.filePath(proposed)};

  QString shown_name;
  QString shown_filter;
  QTimer person;
  person.callOnTimeout([&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    person.stop();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    if (name == nullptr || types == nullptr) return dialog->reject();
    shown_name = name->text();
    shown_filter = dialog->selectedNameFilter();
    for (int step = 0; step < filter_steps; ++step) QTest::keyClick(types, Qt::Key_Down);
    if (!typed.isEmpty()) name->setText(typed);
    QTest::keyClick(name, Qt::Key_Return);
  });
  person.start(5);
  QtWindowServices services;
  const std::optional<SaveChoice> choice = services.AskSavePath(request);
  QVERIFY(choice.has_value());
  QCOMPARE(shown_name, proposed);
  QCOMPARE(shown_filter, selected);
  QCOMPARE(choice->path, dir.filePath(saved));
  QCOMPARE(choice->filter, filter);
}

}  // namespace toothwright

QTEST_MAIN(toothwright::SaveDialogTest)
#include "save_dialog_test.moc"
