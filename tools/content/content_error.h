#pragma once

#include <stdexcept>
#include <string>

namespace dv {

// A fault in a content source, located by file and line (line 0 = the whole file).
class ContentError : public std::runtime_error {
  public:
    ContentError(std::string file, int line, const std::string& what)
        : std::runtime_error(format(file, line, what)), file_(std::move(file)), line_(line) {}

    const std::string& file() const { return file_; }
    int line() const { return line_; }

  private:
    static std::string format(const std::string& file, int line, const std::string& what) {
        return line > 0 ? file + ":" + std::to_string(line) + ": " + what : file + ": " + what;
    }
    std::string file_;
    int line_;
};

}  // namespace dv
