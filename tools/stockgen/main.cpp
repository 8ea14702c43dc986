#include <QGuiApplication>
#include <filesystem>
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    std::filesystem::create_directories(std::filesystem::path(argv[1]) / "scenarios");
    return 0;
}
