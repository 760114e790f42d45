#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Tonaria");
    window.resize(1024, 700);
    window.show();
    return application.exec();
}
