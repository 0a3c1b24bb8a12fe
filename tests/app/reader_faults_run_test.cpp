// Whole batch runs over photo trees with damaged files and metafiles: a
// damaged picture is reported and gets no clone while the run goes on; a
// Windows metafile's clone carries the name of the format it is written in.
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <thread>

#include "image/codecs/codec_registry.h"
#include "image/image_error.h"
#include "image/image_io.h"
#include "image/own_codecs_support.h"
#include "run_fixture.h"

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::string Magick(const std::string& arguments, const fs::path& out) {
  const std::string command = "convert " + arguments + " '" + out.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return ReadFile(out);
}

// The first half of a JPEG with its end marker put back, as a copy that
// broke off and was repaired by a careless tool.
std::string CutInHalf(const std::string& jpeg) { return jpeg.substr(0, jpeg.size() / 2) + "\xFF\xD9"; }

// A tiny JPEG whose frame header claims 14000 x 14000 pixels.
std::string ClaimsHugePicture(std::string jpeg) {
  for (const char marker : {'\xC0', '\xC2'}) {
    const std::size_t frame = jpeg.find(std::string("\xFF") + marker);
    if (frame == std::string::npos) continue;
    for (const std::size_t at : {frame + 5, frame + 7}) jpeg[at] = '\x36', jpeg[at + 1] = '\xB0';  // 14000
  }
  return jpeg;
}

// A 16 x 8 RLE8 bitmap whose run-length data stops after two of its rows.
std::string CutRunLengthBitmap() {
  std::string b = "BM";
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<char>(v >> (8 * i)));
  };
  put(0, 4), put(0, 4), put(14 + 40 + 8, 4);
  put(40, 4), put(16, 4), put(8, 4), put(1, 2), put(8, 2), put(1, 4), put(0, 4), put(0, 4), put(0, 4), put(2, 4),
      put(0, 4);
  put(0x000000, 4), put(0x0000FF, 4);
  for (int row = 0; row < 2; ++row) b += std::string("\x10\x01\x00\x00", 4);
  return b;
}

TEST_F(BatchRun, DamagedPicturesAreReportedGetNoCloneAndTheRunGoesOn) {
  MakeImage(base_ / "good.jpg", 320, 200);
  const std::string jpeg = Magick("-seed 5 -size 320x240 plasma:fractal -quality 90", root_ / "whole.jpg");
  WriteFile(base_ / "half.jpg", CutInHalf(jpeg));
  const std::string progressive =
      Magick("-seed 5 -size 320x240 plasma:fractal -quality 90 -interlace JPEG", root_ / "whole-p.jpg");
  WriteFile(base_ / "half-progressive.jpg", CutInHalf(progressive));
  const std::string tiny = Magick("-size 8x8 xc:gray50 -strip -quality 50", root_ / "tiny.jpg");
  WriteFile(base_ / "claims.jpg", ClaimsHugePicture(tiny));
  WriteFile(base_ / "cut.bmp", CutRunLengthBitmap());

  EXPECT_EQ(Run(0, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_SELECTED_SIDE=1",
                    "/CLONE_SIZE=800", "/BMP=1"}),
            kExitMessagesShown);
  std::vector<std::string> reported;
  for (const auto& message : shown_) {
    EXPECT_EQ(message.text.rfind("Image-Error 1002", 0), 0u) << message.text;  // truncated data
    for (const char* name : {"half.jpg", "half-progressive.jpg", "claims.jpg", "cut.bmp"}) {
      if (message.text.find(name) != std::string::npos) reported.push_back(name);
    }
  }
  EXPECT_EQ(reported.size(), 4u) << testing::PrintToString(Keys());
  EXPECT_EQ(Identify(out_ / "good.jpg"), "800 500 JPEG");
  for (const char* name : {"half.jpg", "half-progressive.jpg", "claims.jpg", "cut.jpg"}) {
    EXPECT_FALSE(fs::exists(out_ / name)) << name;
    EXPECT_FALSE(fs::exists(out_ / "thumbs" / name)) << name;
  }
}

// Asked on a terminal, the user who answers a damaged picture's message
// with "Abbrechen" ends the run there: no later photo gets a clone, also
// when worker threads have made it ahead, and the exit status says that the
// run was cancelled.
TEST_F(BatchRun, CancelOnADamagedPictureEndsTheRunThere) {
  const std::string jpeg = Magick("-seed 5 -size 320x240 plasma:fractal -quality 90", root_ / "whole.jpg");
  WriteFile(base_ / "a.jpg", CutInHalf(jpeg));
  MakeImage(base_ / "b.jpg", 320, 200);
  int user = -1;
  int terminal = -1;
  ASSERT_EQ(openpty(&user, &terminal, nullptr, nullptr, nullptr), 0);
  ASSERT_EQ(write(user, "abbrechen\n", 10), 10);
  // The user's side takes everything the run writes, so that it never
  // waits on a full terminal; reading ends when the terminal is closed.
  std::thread screen([user] {
    char buffer[4096];
    while (read(user, buffer, sizeof buffer) > 0) {
    }
  });
  const int saved_input = dup(STDIN_FILENO);
  const int saved_error = dup(STDERR_FILENO);
  dup2(terminal, STDIN_FILENO);
  dup2(terminal, STDERR_FILENO);
  setenv("VELMORA_THREADS", "4", 1);
  const int status = Run(0, {"--ask", "/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string()});
  unsetenv("VELMORA_THREADS");
  dup2(saved_input, STDIN_FILENO);
  dup2(saved_error, STDERR_FILENO);
  for (const int fd : {saved_input, saved_error, terminal}) close(fd);
  screen.join();
  close(user);
  lang::SetAskOnTerminal(false);
  std::cin.clear();

  EXPECT_EQ(status, kExitCancelled);
  ASSERT_EQ(shown_.size(), 1u) << testing::PrintToString(Keys());
  EXPECT_EQ(shown_[0].result, lang::kResultCancel);
  EXPECT_FALSE(fs::exists(out_ / "b.jpg"));
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;  // it maps its memory as it goes, beyond any address-space limit
#else
constexpr bool kAddressSanitizer = false;
#endif

// The address space the process holds now, in bytes.
rlim_t AddressSpace() {
  const std::string status = ReadFile("/proc/self/status");
  const std::size_t at = status.find("VmSize:");
  return at == std::string::npos ? 0 : std::stoull(status.substr(at + 7)) * 1024;
}

// A progressive JPEG gets zero-filled coefficients for its whole picture
// before its data is read: a few hundred bytes claiming 14000 x 14000 pixels
// once took more than a gigabyte. Decoded in a child that may take 256 MB
// more address space than it has, and whose peak memory the kernel reports.
TEST(TinyJpegClaimingAHugePicture, IsRefusedWithoutTakingMemory) {
  TempDir dir;
  const std::string tiny =
      Magick("-size 8x8 xc:gray50 -strip -quality 50 -interlace JPEG", dir / "tiny.jpg");
  const std::string claims = ClaimsHugePicture(tiny);
  ASSERT_LT(claims.size(), 400u);
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!kAddressSanitizer) {
      const rlim_t limit = AddressSpace() + 256 * 1024 * 1024;
      const rlimit space{limit, limit};
      setrlimit(RLIMIT_AS, &space);
    }
    int code = 0;
    try {
      const std::span bytes(reinterpret_cast<const std::uint8_t*>(claims.data()), claims.size());
      image::ReadImage(bytes, image::kImageTypeJpg);
    } catch (const image::ImageError& e) {
      code = e.number() - image::kImageErrorBase;
    }
    _exit(code);
  }
  int status = 0;
  rusage usage{};
  ASSERT_EQ(wait4(child, &status, 0, &usage), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), image::kCodecTruncated);
  EXPECT_LT(usage.ru_maxrss - before.ru_maxrss, 64 * 1024) << "peak kilobytes of the decoding child";
}

TEST_F(BatchRun, WindowsMetafileWrittenBackIsAnEnhancedMetafileNamedEmf) {
  // A bitmap inside a Windows metafile: the source photo of this run.
  const auto bmp = image::test::Codec(image::kImageTypeBmp).Encode(image::test::Pattern(64, 48), {});
  const image::test::Bytes dib(bmp.begin() + 14, bmp.end());
  image::test::WriteBytes(base_ / "chart.wmf", image::test::WindowsMetafile(dib, 0x0F43, 28));
  MakeImage(base_ / "photo.jpg", 64, 48);

  ASSERT_EQ(Run(0, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/CLONE_CONVERT=0", "/EMF=1",
                    "/EMF_EXT=EMF,WMF", "/GENERATE_HTML=1", "/GENERATE_PICPAGE=1"}),
            kExitOk)
      << testing::PrintToString(Keys());
  EXPECT_FALSE(fs::exists(out_ / "chart.wmf"));
  const std::string clone = ReadFile(out_ / "chart.emf");
  ASSERT_GT(clone.size(), 44u);
  EXPECT_EQ(clone.substr(40, 4), " EMF");
  const image::RgbBuffer read = image::ReadImage(out_ / "chart.emf", image::kImageTypeMetafile);
  EXPECT_EQ(image::test::MaxDifference(read, image::test::Pattern(64, 48)), 0);
  // The pages link the clone by the name it has.
  bool linked = false;
  for (const auto& entry : fs::recursive_directory_iterator(out_)) {
    if (entry.path().extension() != ".htm" && entry.path().extension() != ".html") continue;
    const std::string page = ReadFile(entry.path());
    linked = linked || page.find("chart.emf") != std::string::npos;
    EXPECT_EQ(page.find("chart.wmf"), std::string::npos) << entry.path();
  }
  EXPECT_TRUE(linked);
}

TEST_F(BatchRun, MetafileWithoutAPictureIsSkippedWithAMessageInWords) {
  // A Windows metafile that draws one line and no bitmap.
  image::test::WriteBytes(base_ / "line.wmf", image::test::WindowsMetafile(image::test::Bytes(4, 0), 0x0213, 6));
  MakeImage(base_ / "photo.jpg", 64, 48);
  EXPECT_EQ(Run(0, {"/GENERATE_CLONES=1", "/CLONE_PATH=" + out_.string(), "/EMF=1", "/EMF_EXT=EMF,WMF"}),
            kExitMessagesShown);
  ASSERT_EQ(Keys(), std::vector<std::string>{"ErrMetafileWithoutPicture"});
  EXPECT_NE(shown_[0].text.find("line.wmf"), std::string::npos);
  EXPECT_NE(shown_[0].text.find("Metadateien, die ein Bild enthalten"), std::string::npos) << shown_[0].text;
  EXPECT_TRUE(fs::exists(out_ / "photo.jpg"));
  EXPECT_FALSE(fs::exists(out_ / "line.jpg"));
}

}  // namespace
}  // namespace velmora::test
