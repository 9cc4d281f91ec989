// A folder of a benchmark's own under the temporary folder, removed at the end.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace bench {

class BenchFolder {
public:
    explicit BenchFolder(const std::string& stem = "brindle-bench")
        : path_(std::filesystem::temp_directory_path() /
                (stem + "-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::filesystem::path operator/(const char* name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace bench
