#pragma once
// A large read-out of one live value in a window of its own, for reading at a distance:
// the colour row detected (C-No.) or the colour group, under the sensor's identification.
// A right click or closing the window hides it; it keeps following the live value.
#include <QWidget>

#include <string_view>

class QLabel;

namespace quorvane {

class BigDisplayPanel : public QWidget {
  Q_OBJECT
public:
  enum class Kind { ColourNumber, Group };

  explicit BigDisplayPanel(Kind kind, QWidget *parent = nullptr);

  Kind kind() const { return kind_; }
  void setIdentification(const QString &text);
  QString identification() const;
  void showValue(std::string_view text);
  QString valueText() const;

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  // A right click or closing the window hides it.
  void panelEvent(QEvent *event);

  Kind kind_;
  QLabel *identification_;
  QLabel *caption_;
  QLabel *value_;
};

} // namespace quorvane
