#include "tests/support/ScratchDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

ScratchDir::ScratchDir()
{
    std::string base = std::filesystem::temp_directory_path().string() + "/quillon-test-XXXXXX";
    if (!::mkdtemp(base.data())) throw std::runtime_error("mkdtemp failed");
    path_ = base + "/";
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(file(name)).parent_path());
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ScratchDir::read(const std::string& name) const
{
    std::ifstream in(file(name), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool ScratchDir::exists(const std::string& name) const { return std::filesystem::exists(file(name)); }
