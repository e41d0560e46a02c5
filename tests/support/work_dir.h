// A fresh working folder with a Plugins subfolder, made current for the
// lifetime of the object, as the host's folder is for the plug-in.
#pragma once

#include <string>

namespace testing_support {

class WorkDir {
public:
    WorkDir();
    ~WorkDir();
    WorkDir(const WorkDir &) = delete;
    WorkDir &operator=(const WorkDir &) = delete;

    const std::string &path() const { return path_; }

private:
    std::string previous_;
    std::string path_;
};

// Whole file as bytes; empty when missing.
std::string readFile(const std::string &name);
bool fileExists(const std::string &name);
void writeFile(const std::string &name, const std::string &content);

}  // namespace testing_support
