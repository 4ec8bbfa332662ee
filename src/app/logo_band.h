#pragma once
// The title band across the top of the main window: maker lines, tool title and logo,
// each placed at fixed pixel positions on the band's colour.
#include <QColor>
#include <QWidget>

namespace quorvane {

class LogoBand : public QWidget {
  Q_OBJECT
public:
  static constexpr int kHeight = 63; // the child panels start right below it

  explicit LogoBand(QWidget *parent = nullptr);
  void setBandColour(const QColor &colour);
  QColor bandColour() const { return colour_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QColor colour_{Qt::lightGray};
};

} // namespace quorvane
