// Until the program body is assembled, the player hosts its message loop in a plain window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Zephonic_Main"));
  window.show();
  return app.exec();
}
