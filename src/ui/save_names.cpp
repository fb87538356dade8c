// Save dialog proposals and extensions, from the filter texts themselves.
#include "ui/save_names.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace toothwright {

QStringList GCodeFilters() {
  return {QStringLiteral("Cam (*.cam)"), QStringLiteral("G-code (*.ngc *.nc *.tap *.gcode)"),
          QStringLiteral("All files (*)")};
}

QStringList FilterExtensions(const QString& filter) {
  static const QRegularExpression pattern(QStringLiteral("\\*\\.([^\\s)]+)"));
  QStringList extensions;
  for (const QRegularExpressionMatch& match : pattern.globalMatch(filter)) {
    extensions.append(match.captured(1));
  }
  return extensions;
}

QString WithExtension(const QString& path, const QString& filter) {
  const QFileInfo file(path);
  const QStringList extensions = FilterExtensions(filter);
  if (extensions.isEmpty() || file.fileName().isEmpty() || file.fileName().contains('.')) {
    return path;
  }
  // exists() follows links; a dangling link is still what the person picked.
  if (file.exists() || file.isSymLink()) return path;
  return path + '.' + extensions.front();
}

QStringList ModelFilters() {
  return {QStringLiteral("STEP (*.step *.stp)"), QStringLiteral("STL (*.stl)"),
          QStringLiteral("3MF (*.3mf)")};
}

QString FilterForPath(const QStringList& filters, const QString& path, const QString& filter) {
  const QString extension = QFileInfo(path).suffix().toLower();
  for (const QString& candidate : filters) {
    if (FilterExtensions(candidate).contains(extension)) return candidate;
  }
  return filter;
}

QString ModelFilterFor(const QString& path, const QString& filter) {
  return FilterForPath(ModelFilters(), path, filter);
}

LastSave LastSaveOf(const QString& path) {
  const QFileInfo file(path);
  for (const char* own : {kToolpathExtension, kCutPathDxfExtension, kCutPathSvgExtension}) {
    const QString extension = QLatin1Char('.') + QLatin1String(own);
    if (file.fileName().endsWith(extension, Qt::CaseInsensitive) &&
        file.fileName().size() > extension.size()) {
      return {file.absolutePath(), file.fileName().chopped(extension.size())};
    }
  }
  return {file.absolutePath(), file.completeBaseName()};
}

QString ProposedPath(const LastSave& last, const QString& extension) {
  if (last.base_name.isEmpty()) return QString();
  const QString name = extension.isEmpty() ? last.base_name : last.base_name + '.' + extension;
  return QDir(last.folder).filePath(name);
}

QString GCodeExtensionAfter(const QString& path, const QString& previous) {
  const QString extension = QFileInfo(path).suffix().toLower();
  return GCodeFilterFor(extension).isEmpty() ? previous : extension;
}

QString GCodeFilterFor(const QString& extension) {
  for (const QString& filter : GCodeFilters()) {
    if (FilterExtensions(filter).contains(extension)) return filter;
  }
  return QString();
}

}  // namespace toothwright
