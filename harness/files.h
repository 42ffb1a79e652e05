// Whole-file reads and writes for the harness's inputs and result files.
#pragma once

#include <filesystem>
#include <string>

namespace zq::harness {

// The whole file into `text`; false when it cannot be opened.
bool readFile(const std::filesystem::path& path, std::string& text);

// Replaces the file with `text`; false when it could not be written in full.
bool writeFile(const std::filesystem::path& path, const std::string& text);

// True when a file can be made at `path`; one made only to find out is removed again.
bool canWrite(const std::filesystem::path& path);

}  // namespace zq::harness
