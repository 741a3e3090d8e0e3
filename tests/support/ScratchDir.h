#pragma once
#include <string>

// A fresh directory under the temporary directory, removed with everything in it on destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Path with a trailing "/".
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::string path_;
};
