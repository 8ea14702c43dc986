// stockgen <installDir>: writes the stock installation of the editor into installDir.
#include "stockgen/stock_generator.h"

#include <QGuiApplication>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: stockgen <installation directory>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    std::string error;
    if (!k2stock::GenerateStockInstallation(argv[1], error)) {
        std::fprintf(stderr, "stockgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
