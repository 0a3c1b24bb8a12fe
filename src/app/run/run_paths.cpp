// Path pieces of the generation run.
#include "app/run/run_paths.h"

#include "platform/native_path.h"
#include "html/gallery_layout.h"

namespace velmora::app {

namespace fs = std::filesystem;

std::string FileNameOf(const image::ImageFileFacts& file) { return file.Name + "." + file.Extension; }

fs::path NativeFileName(const image::ImageFileFacts& file) { return ToNativePath(Cp1252Text(FileNameOf(file))); }

fs::path Absolute(const fs::path& path) {
  std::error_code error;
  fs::path absolute = path.empty() ? path : fs::absolute(path, error);
  return error ? path : absolute;
}

fs::path Canonical(const fs::path& path) {
  std::error_code error;
  fs::path canonical = fs::weakly_canonical(path, error);
  return error ? Absolute(path) : canonical;
}

std::string LastComponent(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
  const std::size_t slash = trimmed.rfind('/');
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string RelativeLink(const fs::path& from_folder, const fs::path& target) {
  const fs::path relative = target.lexically_relative(from_folder);
  return html::EncodeLink(FromNativePathOrBytes(relative.generic_string()).bytes());
}

}  // namespace velmora::app
