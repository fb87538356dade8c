// A text the window holds for saving but never shows: the DXF drawing. It is a named object
// rather than a widget, so it costs no layout and cannot be seen or edited.
#pragma once

#include <QObject>
#include <QString>

namespace toothwright {

class TextStore : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  using QObject::QObject;

  const QString& text() const { return text_; }
  void setText(const QString& text) { text_ = text; }

 private:
  QString text_;
};

}  // namespace toothwright
