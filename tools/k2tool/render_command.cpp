#include "render_command.h"

#include <iostream>

namespace k2tool {

int RenderCommand(const std::filesystem::path&, const std::vector<std::string>&) {
    std::cerr << "render: not built yet\n";
    return 2;
}

} // namespace k2tool
