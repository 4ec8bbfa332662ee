#pragma once
// The main panel: the tab pages at the left, the child panel place at the right,
// the title band, the transfer and run buttons with their memory and parameter-set
// selection, and the busy lock over every action control.
#include "params/parameter_state.h"
#include "ui/core/busy_lock_rules.h"
#include "ui/shell.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <vector>

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QSplitter;
class QStackedWidget;
class QTabWidget;

namespace quorvane {

class ConnectionPage;
class ConnectionStatusBox;
class Dialogs;
class LogoBand;

// The top-level panels beside the main window (numbers of the original layout).
enum class TopPanel { BigColourNumber = 1, BigGroup = 4, Password = 6 };

enum class MainPanelEvent { Close, RightDoubleClick };

inline const QString kToolTitle = QStringLiteral("QUORVANE ANA Scope V1.3");
inline const QString kToolFullVersion = QStringLiteral("QUORVANE ANA Scope V1.3.1");

class MainWindow : public QMainWindow, public Shell {
  Q_OBJECT
public:
  static constexpr int kDefaultWidth = 790;
  static constexpr int kDefaultHeight = 548;

  explicit MainWindow(Dialogs &dialogs, QWidget *parent = nullptr);
  ~MainWindow() override;

  // --- Shell ---
  void setBusy(bool keepMainButtons, bool dimmed) override;
  void addBusyControl(QWidget *control, BusyGroup group) override;
  void showChildPanel(ChildPanel panel) override;
  ChildPanel currentChildPanel() const override { return currentChild_; }
  void showPage(MainPage page) override;
  MainPage currentPage() const override;
  void appendConnectionLog(const QString &text) override;
  void setConnectionStatus(const QString &text) override;

  // --- places the subsystems fill ---
  // A tab for the page, among the others in the order of their places.
  void addPage(const PageDeclaration &page);
  // A place for the child panel; the measurement panel shares it with the connection status.
  void addChildPanel(const ChildPanelDeclaration &panel);
  // The container of a tab page (nullptr for a page not added); it has a vertical layout
  // that holds the page's widget.
  QWidget *pageContainer(MainPage page) const;
  // The tab of the page, or -1.
  int tabIndex(MainPage page) const;
  void setPageVisible(MainPage page, bool visible);
  bool isPageVisible(MainPage page) const;
  // The added panel, or nullptr.
  QWidget *childPanel(ChildPanel which) const;
  QWidget *topLevelPanel(TopPanel which) const;
  // Puts `panel` in place of a top-level panel's placeholder, so there is one of each.
  void setTopLevelPanel(TopPanel which, QWidget *panel);
  // The connection page receives the log; its controls join the busy lock.
  void setConnectionPage(ConnectionPage *page);
  ConnectionPage *connectionPage() const { return connectionPage_; }
  ConnectionStatusBox *connectionStatusBox() const { return statusBox_; }

  // --- controls of the main panel ---
  QTabWidget *tabs() const { return tabs_; }
  QPushButton *sendButton() const { return send_; }
  QPushButton *getButton() const { return get_; }
  QPushButton *goButton() const { return go_; }
  QPushButton *stopButton() const { return stop_; }
  QRadioButton *memoryButton(ParameterMemory memory) const;
  QRadioButton *paraSetButton(int set) const;
  // Offline work: SEND and GET stay usable (to and from the parameter file).
  void setOfflineTransferEnabled();
  // Checks the radio button of `memory` (and unchecks the other two) without a click.
  void selectMemoryButton(ParameterMemory memory);

  // --- title band ---
  void showLogo();
  QLabel *showInfoText(const QString &text, bool withTooltip, int left, int top, int pointSize,
                       const QColor &background, const QColor &textColour);
  LogoBand *logoBand() const { return band_; }

  // Width and height 790 x 548, centred on the screen the window is on.
  void restoreDefaultGeometry();

Q_SIGNALS:
  void panelEvent(MainPanelEvent event);
  // The operator changed the tab (not showPage).
  void pageChanged(MainPage page);

protected:
  void closeEvent(QCloseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
  void buildTabs();
  QWidget *buildTransferControls();
  void buildChildArea();
  void buildTopLevelPanels();
  void installMainHelp();
  int childIndex(ChildPanel panel) const;

  struct PagePlace {
    MainPage id;
    int place;
    QWidget *container;
  };
  struct ChildPlace {
    ChildPanel id;
    QWidget *panel;
  };

  Dialogs &dialogs_;
  LogoBand *band_ = nullptr;
  QSplitter *splitter_ = nullptr;
  QTabWidget *tabs_ = nullptr;
  std::vector<PagePlace> pages_; // in tab order
  QPushButton *send_ = nullptr;
  QPushButton *get_ = nullptr;
  QPushButton *go_ = nullptr;
  QPushButton *stop_ = nullptr;
  std::array<QRadioButton *, 3> memory_{};
  std::array<QRadioButton *, 2> paraSet_{};
  QButtonGroup *memoryGroup_ = nullptr;
  QButtonGroup *paraSetGroup_ = nullptr;
  QStackedWidget *childStack_ = nullptr;
  std::vector<ChildPlace> childPanels_; // in the order of the stack
  ChildPanel currentChild_ = ChildPanel::Measurement;
  ConnectionStatusBox *statusBox_ = nullptr;
  ConnectionPage *connectionPage_ = nullptr;
  std::array<QWidget *, 3> topLevel_{};
  QLabel *logo_ = nullptr;
  std::vector<std::pair<QPointer<QWidget>, BusyGroup>> busy_;
  bool programSwitch_ = false; // showPage is changing the tab, not the operator
};

} // namespace quorvane
