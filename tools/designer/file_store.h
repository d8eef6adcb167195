#pragma once
// The files a designer reads and writes, as a store the tests can put failures in. Paths are
// UTF-8, as everywhere in the program.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace designer {

// What tells that a file changed without reading it: its size and its last write.
struct FileStamp {
  std::uintmax_t size = 0;
  long long written = 0;  // the file system's own count, compared only for equality
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileStore {
 public:
  virtual ~FileStore() = default;
  // The whole file; nothing when it cannot be read (missing, a folder, no permission).
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  // Nothing for a file that is not there.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
  // Replaces the file's content without a moment where it is lost: the bytes go to a new file in
  // the same folder, are read back and compared, and only then take the file's name. Gives what
  // went wrong in words, empty when all went well; the file is then as it was.
  virtual std::string Replace(const std::string& path, std::string_view bytes) = 0;
};

// The system's files.
class DiskFiles : public FileStore {
 public:
  std::optional<std::string> Read(const std::string& path) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
  std::string Replace(const std::string& path, std::string_view bytes) override;
};

}  // namespace designer
