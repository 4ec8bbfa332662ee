#pragma once
// The small display widgets of the live, scope, teach and calibration panels: numbers, LEDs
// and the colour box. Each one ignores a value equal to the one it shows, so setting them on
// every frame costs nothing when nothing changed and repaints are left to Qt's coalesced
// updates.
#include <QColor>
#include <QFrame>
#include <QLabel>

#include <string_view>

namespace quorvane {

// A read-only number field.
class NumberDisplay : public QLabel {
  Q_OBJECT
public:
  explicit NumberDisplay(const QString &name, QWidget *parent = nullptr);
  void showText(std::string_view text);
  void showText(const QString &text);
  void setTextColour(QColor colour);

Q_SIGNALS:
  void doubleClicked();

protected:
  void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
  QColor textColour_;
};

// A round indicator lamp.
class LedIndicator : public QWidget {
  Q_OBJECT
public:
  LedIndicator(const QString &name, QColor onColour, QWidget *parent = nullptr);
  void setOn(bool on);
  bool isOn() const { return on_; }
  QColor colour() const { return on_ ? onColour_ : offColour_; }
  QSize sizeHint() const override { return {18, 18}; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QColor onColour_;
  QColor offColour_{Qt::black};
  bool on_ = false;
};

// A filled box in one colour.
class ColourBox : public QFrame {
  Q_OBJECT
public:
  explicit ColourBox(const QString &name, QWidget *parent = nullptr);
  void setColour(QColor colour);
  QColor colour() const { return colour_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QColor colour_{Qt::black};
};

} // namespace quorvane
