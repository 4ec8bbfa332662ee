#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("QUORVANE ANA Scope V1.3"));
  window.resize(790, 548);
  window.show();
  return app.exec();
}
