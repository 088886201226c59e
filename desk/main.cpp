// The zorvic-desk program: the declarations in a window.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    return 0;
}
