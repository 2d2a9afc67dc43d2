#include "platform/files.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "text/words.h"

namespace corvane::platform {

std::string File_Failure(std::string_view file, std::string_view reason) {
  std::string text(file);
  text += reason == kInUse ? " is " : ": ";
  text += reason;
  return text;
}

std::string Read_Small_File(const std::string& path, std::uintmax_t largest, std::string_view what,
                            std::string* text) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (ec) return ec.message();
  if (!std::filesystem::is_regular_file(status)) return "not a regular file";
  if (std::filesystem::file_size(path, ec) > largest || ec)
    return "too large for " + std::string(what);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  if (!in && !in.eof()) return "cannot be read";
  *text = all.str();
  return "";
}

std::vector<std::string> Files_Ending_In(const std::string& folder, std::string_view ending) {
  std::error_code ec;
  std::vector<std::string> files;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string path = it->path().string();
    if (Ends_With_Ignoring_Case(path, ending) && it->is_regular_file(ec)) files.push_back(path);
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace corvane::platform
