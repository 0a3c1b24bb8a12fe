// Whole-file reads and atomic replacement of a file: the bytes go to a hidden
// temporary twin in the same folder (see temporary_files.h), which is renamed
// over the target when complete, so a failed or interrupted write never leaves
// a truncated page, profile, settings store, clone or script output behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

enum class Durability {
  kRenameOnly,  // outputs that a later run can remake: no flush to disk
  kSynced,      // the user's own settings: flushed to disk before the rename
};

// One file written piece by piece into its temporary twin and put in place
// at the end. The pieces are buffered and streamed to disk, so a large page
// is never held in memory. The first error (a full disk, a folder that is
// not writable) is kept and ends the writing; a writer that is not put in
// place removes its twin, so an interrupted write leaves the old file as it
// was.
class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // Creates the twin of `path`; a replaced file will keep its permissions.
  std::error_code Open(const std::filesystem::path& path);
  bool is_open() const { return fd_ >= 0; }
  void Write(std::string_view bytes);
  // Writes what is buffered and closes the twin; the first error of the
  // whole write when there was one (the twin is then removed).
  std::error_code Finish(Durability durability);
  // After a successful Finish: renames the twin over the target.
  std::error_code Replace();
  // Removes the twin, whatever state it is in.
  void Discard();
  // Finish and Replace; on failure nothing but the old file is left.
  std::error_code Commit(Durability durability);

  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& twin() const { return twin_; }
  const std::error_code& error() const { return error_; }

 private:
  void Flush();

  int fd_ = -1;
  bool twin_exists_ = false;
  std::error_code error_;
  std::string buffer_;
  std::filesystem::path path_;
  std::filesystem::path twin_;
};

// Replaces (or creates) `path` with `bytes`; a replaced file keeps its
// permissions. On failure the old file is untouched, no temporary file is
// left and the error is returned; `create_failed` (when given) tells whether
// the temporary file could not even be created.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                    Durability durability, bool* create_failed = nullptr);

// Copies `source` over (or to) `target` the same way, streamed in blocks.
std::error_code CopyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target,
                                   Durability durability);

// Reads the whole file into `bytes`.
std::error_code ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace velmora
