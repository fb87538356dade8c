// The names the save dialogs propose and the extension a saved name gets. Every save proposes
// the folder and base name of the last file saved, with its own kind's extension, so that the
// drawing never lands in the program's file by a confirmed default.
#pragma once

#include <QString>
#include <QStringList>

namespace toothwright {

// The filters of the G-code save, in the order offered; the first is selected at first.
QStringList GCodeFilters();

// The extensions a filter entry lists, without dots and in its order: {"ngc", "nc", "tap",
// "gcode"} for "G-code (*.ngc *.nc *.tap *.gcode)"; none for "All files (*)".
QStringList FilterExtensions(const QString& filter);

// The path to write for the path a dialog confirmed with filter selected: a file name without
// any '.' gets the filter's first extension, unless something already exists at path (the
// dialog asked before replacing exactly that) or the filter lists none.
QString WithExtension(const QString& path, const QString& filter);

// The filters of the 3-D model save, in the order offered: STEP, STL, 3MF.
QStringList ModelFilters();

// The filter among filters whose format a confirmed path is written in: the one that lists the
// path's extension (in any case), so that "part.svg" is an SVG file whatever filter was
// selected; else filter.
QString FilterForPath(const QStringList& filters, const QString& path, const QString& filter);

// The model filter whose format a confirmed path is written in (FilterForPath of ModelFilters).
QString ModelFilterFor(const QString& path, const QString& filter);

// The toolpath picture's and the cut path's own extensions: files named apart from the part's
// drawings (".svg", ".dxf") so that confirming one save's proposal never replaces another's
// file. The cut path's save proposes the DXF one.
inline constexpr const char* kToolpathExtension = "toolpath.svg";
inline constexpr const char* kCutPathDxfExtension = "cutpath.dxf";
inline constexpr const char* kCutPathSvgExtension = "cutpath.svg";

// The folder and base name of the last saved file ("/home/a/part" for "/home/a/part.cam").
struct LastSave {
  QString folder;     // "" before the first save
  QString base_name;  // the file name without its last extension
};

// The last save after path was confirmed; a toolpath picture's or a cut path's base name leaves
// out ".toolpath" or ".cutpath" as well, so that the next save proposes the part's own name.
LastSave LastSaveOf(const QString& path);

// The name a save dialog proposes: the last folder and base name with extension, or "" before
// the first save.
QString ProposedPath(const LastSave& last, const QString& extension);

// The G-code extension the next G-code save proposes after path was saved: its extension when
// a G-code filter other than "All files" lists it, else previous.
QString GCodeExtensionAfter(const QString& path, const QString& previous);

// The G-code filter to select for a proposed extension: the first that lists it.
QString GCodeFilterFor(const QString& extension);

}  // namespace toothwright
