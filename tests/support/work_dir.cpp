#include "tests/support/work_dir.h"

#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testing_support {

WorkDir::WorkDir() {
    previous_ = fs::current_path().string();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("morvantia-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path_ = candidate.string();
            break;
        }
    }
    if (path_.empty()) throw std::runtime_error("cannot create a working folder");
    fs::create_directory(fs::path(path_) / "Plugins");
    fs::current_path(path_);
}

WorkDir::~WorkDir() {
    std::error_code error;
    fs::current_path(previous_, error);
    fs::remove_all(path_, error);
}

std::string readFile(const std::string &name) {
    std::ifstream in(platform::nativePath(name), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool fileExists(const std::string &name) {
    std::error_code error;
    return fs::exists(platform::nativePath(name), error);
}

void writeFile(const std::string &name, const std::string &content) {
    std::ofstream out(platform::nativePath(name), std::ios::binary);
    out << content;
}

}  // namespace testing_support
