// The generation run.
#include "app/run/generation_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>

#include "platform/log.h"
#include "platform/native_path.h"
#include "platform/program_paths.h"
#include "platform/stopwatch.h"
#include "platform/temporary_files.h"
#include "platform/text_encoding.h"
#include "app/run/gallery_page_writer.h"
#include "app/run/image_error_report.h"
#include "app/run/image_workers.h"
#include "app/run/output_cleaning.h"
#include "app/run/output_folders.h"
#include "app/run/image_order.h"
#include "app/run/image_output_names.h"
#include "app/run/image_page_names.h"
#include "app/run/pipeline_settings.h"
#include "app/run/run_checks.h"
#include "app/run/run_clone_hooks.h"
#include "app/run/run_image_files.h"
#include "app/run/run_image_host.h"
#include "app/run/run_context_writer.h"
#include "app/run/run_outputs.h"
#include "app/run/run_paths.h"
#include "platform/path_join.h"
#include "app/run/stop_request.h"
#include "app/run/thread_count.h"
#include "app/system_info.h"
#include "html/gallery_layout.h"
#include "image/dense_thumbnail.h"
#include "image/rl_image.h"
#include "image/source_orientation.h"
#include "lang/keyed_collection.h"
#include "lang/messages.h"
#include "script/sources.h"
#include "settings/profile_data.h"

namespace velmora::app {
namespace {

namespace fs = std::filesystem;

// A multi-line message as one log line.
std::string OneLine(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.replace(at, 2, ", ");
  }
  return text;
}

std::string FormatSeconds(std::uint32_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms / 1000.0);
  return text;
}

class Generator {
 public:
  explicit Generator(GenerationRun& run)
      : run_(run), state_(run.state), settings_(settings::WorkingSettings()), ctx_(run.scripts.context()),
        host_(run.scripts.image_host()), hooks_(run.scripts) {}

  RunEnd Run() {
    if (!Prepare()) return RunEnd::kFailed;
    FirstPass();
    ShowRunToScripts();
    SetRunContext();
    bool cancelled = false;
    if (main_pass_) cancelled = !MainPass();
    // After a stop or a Cancel what the workers made ahead is dropped
    // unwritten (a file being written is finished) before the summary.
    workers_.reset();
    host_.ClearCurrentImage();
    if (!cancelled && kinds_.index) {
      host_.SetPageFolder(ClosingPageFolder("HTML_INDEX_IN_BASEDIR"));
      run_.pages.WriteIndexPage();
    }
    if (!cancelled && kinds_.frame) {
      host_.SetPageFolder(ClosingPageFolder("HTML_FRAME_IN_BASEDIR"));
      run_.pages.WriteFramePage();
    }
    host_.ClearDirectories();
    run_.counters.HtmlWritten = run_.pages.HtmlWritten();
    LaunchBrowser();
    Summary();
    run_.tree.SetAllMarks(kMarkNeutral);
    return cancelled || run_.startup.CancelRequested ? RunEnd::kCancelled : RunEnd::kFinished;
  }

 private:
  bool Cancelled() {
    if (StopRequested()) run_.startup.CancelRequested = true;
    return run_.startup.CancelRequested;
  }

  void Mark(const RunDirectory& directory, std::string_view mark) {
    if (directory.tree_node >= 0 && directory.tree_node < static_cast<int>(run_.tree.nodes().size())) {
      run_.tree.node(directory.tree_node).mark = mark;
    }
  }

  // ---- Phase 1: preparation ----

  bool Prepare() {
    kinds_.html = settings_.Flag("GENERATE_HTML");
    if (kinds_.html) {
      kinds_.frame = settings_.Flag("GENERATE_FRAME");
      kinds_.index = settings_.Flag("GENERATE_INDEX");
      kinds_.thumb_pages = settings_.Flag("GENERATE_THUMBPAGES");
      kinds_.image_pages = settings_.Flag("GENERATE_PICPAGE");
    }
    clones_ = settings_.Flag("GENERATE_CLONES");
    thumbs_ = settings_.Flag("THUMBNAILS");
    if (!run_.scripts.CompileStampTexts()) return false;
    if (kinds_.html && !run_.pages.CompileTemplates(run_.scripts, kinds_)) return false;
    if (!script::CheckMissingFunctions(run_.scripts.program())) return false;

    stopwatch_.Reset();
    // A stop signal that came while the run was being prepared still counts.
    run_.startup.CancelRequested = StopRequested();
    thumbs_per_line_ = std::max<long>(1, settings_.Int("THUMBS_PER_LINE"));
    page_extension_ = "." + settings_.Text("HTML_EXTENSION");
    image::PipelineOptions options = PipelineOptionsOf(settings_, hooks_.HasCloneList());
    options.hooks = &hooks_;
    // The stamp and frame pictures are read once, before the first clone.
    if (clones_ && hooks_.HasCloneList()) hooks_.PrepareCloneList(state_.Pictures);
    pipeline_ = image::RLImage(options);
    StartWorkers(options);
    outputs_ = RunOutputs(state_.CloneDir, Cp1252Text(settings_.Text("THUMB_DIRNAME")), clones_, thumbs_,
                          options.thumb.density);
    context_.emplace(ctx_, ContextLayout{.base_dir = state_.BaseDir,
                                         .dir_level = run_.startup.DirLevel,
                                         .thumbs_per_line = thumbs_per_line_,
                                         .page_extension = page_extension_,
                                         .clones = clones_,
                                         .kinds = kinds_});

    ctx_.Set(Ctx::velmora_absolute, FromNativePathOrBytes(ProgramDirectory()));
    ctx_.Set(Ctx::base_absolute, FromNativePathOrBytes(Absolute(ToNativePath(state_.BaseDir))));
    ctx_.Set(Ctx::clone_absolute, FromNativePathOrBytes(Absolute(ToNativePath(state_.CloneDir))));

    CollectSourceFolders();
    if (!CheckOutputFolders()) return false;
    if (clones_ && settings_.Flag("CLONE_DIRCLEAN")) {
      run_.progress.Text(lang::GetText("Erzeugung", "InfClonesDelete"));
      if (!Clean(ToNativePath(state_.CloneDir))) return false;
    }
    if (thumbs_) {
      const fs::path thumb_root = ToNativePath(outputs_.thumb_root());
      std::error_code error;
      if (fs::exists(thumb_root, error) && settings_.Flag("THUMBDIR_CLEAN")) {
        run_.progress.Text(lang::GetText("Erzeugung", "InfThumbsDelete"));
        if (!Clean(thumb_root)) return false;
      } else {
        folders_.Create(thumb_root, "ErrThumbMkDir");
      }
      const long side = settings_.Int("THUMB_SELECTED_SIDE");
      const long dim = side == 2   ? settings_.Int("THUMB_WIDTH")
                       : side == 3 ? settings_.Int("THUMB_HEIGHT")
                       : side == 4 ? std::max(settings_.Int("THUMB_WIDTH"), settings_.Int("THUMB_HEIGHT"))
                                   : settings_.Int("THUMB_SIZE");
      ctx_.Set(Ctx::thumb_dim, static_cast<std::int64_t>(dim));
      ctx_.Set(Ctx::thumb_density, image::WritesDenseThumb(options.thumb.density) ? options.thumb.density : 0);
    }
    return !kinds_.html || PrepareHtml();
  }

  // Scripts run on the main thread only: with `_clone` or a clone list the
  // clones are made there, one after the other, as the run reaches them.
  void StartWorkers(const image::PipelineOptions& options) {
    const bool scripts_shape_clones = clones_ && (hooks_.HasCloneFunction() || options.clone.apply_clone_list);
    const int threads = RunThreadCount();
    if (threads > 1 && (clones_ || thumbs_) && !scripts_shape_clones) workers_.emplace(options, threads);
  }

  void CollectSourceFolders() {
    protected_.push_back(Canonical(ToNativePath(state_.BaseDir)));
    for (const RunDirectory& directory : state_.DirList) {
      protected_.push_back(Canonical(ToNativePath(Join(state_.BaseDir, Cp1252Text(directory.relative_path)))));
    }
  }

  // Source files are never written: an output folder that is a source
  // folder of the run (a clone directory pointing back into the photos)
  // stops the run before anything is touched.
  bool CheckOutputFolders() {
    const std::optional<fs::path> folder = outputs_.FolderHoldingPhotos(state_.Guard, state_.DirList);
    if (!folder) return true;
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconStop, "ErrOutputHoldsSources",
                      {FromNativePathOrBytes(*folder)});
    return false;
  }

  // Empties an output folder, but never one that holds the base directory
  // or a source folder of the run.
  bool Clean(const fs::path& folder) {
    cleaning_ = true;
    if (!state_.Guard.MayClean(folder)) {
      WriteLog("Cleaning refused, outside the clone folder or the home folder: " +
               FromNativePathOrBytes(folder).bytes());
      lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconStop, "ErrCleanRefused",
                        {FromNativePathOrBytes(folder)});
      return false;
    }
    const CleanResult result = DeleteFolderContents(folder, state_.DeleteFlags, protected_, cleaned_);
    if (result != CleanResult::kRefused) return true;
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconStop, "ErrCleanHoldsSources",
                      {FromNativePathOrBytes(folder)});
    return false;
  }

  // False when the HTML folder may not be cleaned: the run ends there.
  bool PrepareHtml() {
    html_root_ = ToNativePath(Join(state_.CloneDir, Cp1252Text(settings_.Text("HTML_BASE"))));
    std::error_code error;
    if (fs::exists(html_root_, error) && settings_.Flag("HTML_DIRCLEAN")) {
      run_.progress.Text(lang::GetText("Erzeugung", "InfHTMLDelete"));
      if (!Clean(html_root_)) return false;
    } else {
      folders_.Create(html_root_, "ErrHTMLBaseMkDir");
    }
    SweepLeftovers(html_root_);
    if (settings_.Flag("DECO_COPY")) {
      run_.progress.Text(lang::GetText("Erzeugung", "InfDecoCopy"));
      const fs::path target = ToNativePath(Join(state_.CloneDir, Cp1252Text(settings_.Text("DECO_PATH"))));
      folders_.Create(target, "ErrDecoMkDir");
      SweepLeftovers(target);
      if (!run_.pages.CopyDecoration(target)) main_pass_ = false;
    }
    static constexpr const char* kToCloneDir[] = {"../", "../../", "../../../"};
    const std::string prefix = kToCloneDir[std::clamp(run_.startup.DirLevel, 0, 2)];
    std::string deco = prefix + settings_.Text("DECO_PATH");
    std::replace(deco.begin(), deco.end(), '\\', '/');
    ctx_.Set(Ctx::deco_ref, html::EncodeLink(deco));
    return true;
  }

  // A killed run leaves hidden temporary twins in the folders it wrote;
  // those of gone processes are removed once per output folder, never in a
  // source folder.
  void SweepLeftovers(const fs::path& folder) {
    const fs::path canonical = Canonical(folder);
    if (!swept_.insert(canonical).second || state_.Guard.IsSourceFolder(folder)) return;
    const int removed = RemoveOrphanedTwins(folder);
    if (removed > 0) {
      WriteLog("Removed " + std::to_string(removed) + " temporary leftovers in " +
               FromNativePathOrBytes(folder).bytes());
    }
  }

  // ---- Phase 2: first pass ----

  void FirstPass() {
    const OutputNameRules rules = OutputNameRules::Of(settings_);
    const int sort_mode = static_cast<int>(settings_.Int("THUMB_SORTIERUNG"));
    const int sort_direction = static_cast<int>(settings_.Int("THUMB_SORTIERRICHTUNG"));
    for (RunDirectory& directory : state_.DirList) {
      Mark(directory, kMarkWaiting);
      if (kinds_.html) SortDirectoryImages(directory, sort_mode, sort_direction, settings_.Flag("AUTO_ORIENT"));
      const std::string directory_name =
          directory.relative_path == "." ? LastComponent(state_.BaseDir.bytes()) : directory.name;
      NameImageOutputs(directory, directory_name, rules, state_,
                       [this](const RefusedOutputName& refused) { ReportRefusedName(refused); });
      run_.counters.ImagesDone += directory.image_count;
    }
    std::erase_if(state_.DirList, [](const RunDirectory& directory) { return directory.images.empty(); });
    state_.DirCount = static_cast<std::int32_t>(state_.DirList.size());
    NameImagePages(state_, settings_, kinds_, clones_, run_.startup.DirLevel);
  }

  // The photo is skipped with a message instead of being written somewhere else.
  void ReportRefusedName(const RefusedOutputName& refused) {
    ++run_.counters.ImageErrors;
    WriteLog("Renamed name invalid, " + refused.file + " skipped: " + refused.name);
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrRenamedNameInvalid",
                      {Cp1252Text(refused.file), Cp1252Text(refused.name)});
  }

  // ---- Phase 3: run context ----

  // From `_init` on, `dirinfo` and `imageinfo` number the directories and
  // images as the first pass left them.
  void ShowRunToScripts() {
    host_.SetDirectories(state_.DirList, state_.BaseDir,
                         RunImageFiles(outputs_, state_.BaseDir, html_root_, kinds_.image_pages, page_extension_));
  }

  // The index and frame pages lie in the clone folder or in the HTML root.
  fs::path ClosingPageFolder(settings::SettingKey in_clone_dir) const {
    return settings_.Flag(in_clone_dir) ? ToNativePath(state_.CloneDir) : html_root_;
  }

  void SetRunContext() {
    ctx_.Set(Ctx::profile, ActiveProfileName());
    ctx_.Set(Ctx::count_base_all_path, state_.DirsWithImages);
    ctx_.Set(Ctx::count_base_all_files, state_.ImageTotal);
    ctx_.Set(Ctx::count_all_path, state_.DirCount);
    ctx_.Set(Ctx::count_all_files, run_.counters.ImagesDone);
    ctx_.Set(Ctx::size_byte_all, state_.ByteTotal);
    ctx_.Set(Ctx::size_byte_all_original, state_.ByteTotal);
    run_.scripts.CallEntry("_init");
    if (!kinds_.html) return;
    ctx_.Set(Ctx::file_prefix, run_.startup.DirLevel == 0 || state_.DirList.empty() ? settings_.Text("HTML_DEFAULT")
                                                                                    : state_.DirList.front().name);
    const std::string index = settings_.Text("HTML_INDEX_FILENAME");
    ctx_.Set(Ctx::index_doc, index);
    ctx_.Set(Ctx::index_ref,
             html::EncodeLink((settings_.Flag("HTML_INDEX_IN_BASEDIR") ? "../" : "") + index + page_extension_));
  }

  // ---- Phase 4: main pass ----

  bool MainPass() {
    const int count = static_cast<int>(state_.DirList.size());
    std::int64_t bytes_done = 0;
    run_.progress.Start(state_.DirCount, state_.ImageTotal, state_.ByteTotal);
    for (int d = 0; d < count; ++d) {
      if (Cancelled()) return false;
      RunDirectory& directory = state_.DirList[static_cast<std::size_t>(d)];
      Mark(directory, kMarkBusy);
      run_.progress.Directory(directory.relative_path, d + 1);
      const Cp1252Text clone_folder = outputs_.CloneFolder(directory);
      const Cp1252Text thumb_folder = outputs_.ThumbFolder(directory);
      if (clones_) folders_.Create(ToNativePath(clone_folder), "ErrClonesMkDir");
      if (thumbs_) folders_.Create(ToNativePath(thumb_folder), "ErrThumbMkDir");
      const std::optional<Cp1252Text> dense_folder = outputs_.DenseThumbFolder(directory);
      if (dense_folder) folders_.Create(ToNativePath(*dense_folder), "ErrThumbMkDir");
      DirectoryPages pages = PagesOf(directory, d + 1);
      if (kinds_.html) {
        folders_.Create(kinds_.image_pages ? pages.image_folder : pages.html_folder,
                        kinds_.image_pages ? lang::MessageKey("ErrHTMLImageMkDir") : lang::MessageKey("ErrHTMLBaseMkDir"));
      }
      if (clones_) SweepLeftovers(ToNativePath(clone_folder));
      if (thumbs_) SweepLeftovers(ToNativePath(thumb_folder));
      if (dense_folder) SweepLeftovers(ToNativePath(*dense_folder));
      if (kinds_.html) {
        SweepLeftovers(pages.html_folder);
        SweepLeftovers(pages.image_folder);
      }
      host_.ClearCurrentImage();
      host_.SetPageFolder(pages.html_folder);
      context_->SetDirectory(directory, d, count, pages, clone_folder);
      if (kinds_.html) run_.pages.BeginDirectory(pages);  // the directory's first and last page, for _initpath
      run_.scripts.CallEntry("_initpath");

      for (std::size_t i = 0; i < directory.images.size(); ++i, ++turn_) {
        if (Cancelled()) return false;
        FeedWorkers();
        const int in_page = static_cast<int>(i % static_cast<std::size_t>(pages.images_per_page));
        const int page = static_cast<int>(i / static_cast<std::size_t>(pages.images_per_page)) + 1;
        if (kinds_.thumb_pages && in_page == 0) {
          context_->SetPage(directory, pages, page);
          host_.SetPageFolder(pages.html_folder);
          run_.pages.BeginPage(pages, page);
        }
        context_->SetImageCounters(directory, i, in_page, run_.counters.ImagesHandled);
        RunImage& record = directory.images[i];
        MakeCurrent(record);
        if (!Process(record, directory)) return false;
        if (run_.progress.ShowsPictures()) {
          run_.progress.Picture(record.source, ShownFile(record, clone_folder, thumb_folder));
        }
        // The outputs' names and sizes, now that the pipeline has made them.
        ctx_.SetImage(record.file, clones_);
        if (kinds_.html) context_->SetImageLinks(record, directory, pages, thumb_folder, clone_folder);
        if (kinds_.html) {
          if (Cancelled()) return false;
          // A page that cannot be written has been reported with its reason;
          // the photo's other outputs and the next pages still come.
          if (kinds_.image_pages) {
            host_.SetPageFolder(pages.image_folder);
            run_.pages.WriteImagePage(pages, i);
          }
          if (kinds_.thumb_pages) {
            host_.SetPageFolder(pages.html_folder);
            run_.pages.WriteImageCell(pages, i);
          }
        }
        ++run_.counters.ImagesHandled;
        bytes_done += record.file.Original.Size;
        run_.progress.Image(run_.counters.ImagesHandled, bytes_done);
      }
      directory.page_counter = pages.page_count;
      if (kinds_.html) run_.pages.EndDirectory(pages);
      Mark(directory, kMarkDone);
    }
    return true;
  }

  DirectoryPages PagesOf(const RunDirectory& directory, int number) {
    DirectoryPages pages;
    pages.directory = &directory;
    pages.number = number;
    pages.html_folder =
        run_.startup.DirLevel == 2 ? html_root_ / ToNativePath(Cp1252Text(directory.link_path)) : html_root_;
    pages.image_folder = ImagePageFolder(html_root_, directory);
    // The same split as the gallery's own pages, so that the counters the
    // run sets agree with the pages written.
    const html::PageSplit split = html::SplitPages(static_cast<int>(directory.images.size()),
                                                   settings_.Flag("HTML_SPLIT"), settings_.Int("LINES_PER_PAGE"),
                                                   thumbs_per_line_);
    pages.images_per_page = split.images_per_page;
    pages.page_count = split.page_count;
    return pages;
  }

  // `_clone`, the stamp texts and the image's templates see this photo from
  // here on: its metadata through the built-ins, its names, date and
  // original size through the context, rather than the previous image's.
  void MakeCurrent(const RunImage& record) {
    host_.SetCurrentImage(record.source);
    ctx_.SetImage(record.file, clones_);
  }

  // The file a preview shows for an image: the smallest output it has.
  fs::path ShownFile(const RunImage& record, const Cp1252Text& clone_folder, const Cp1252Text& thumb_folder) const {
    std::error_code error;
    const auto existing = [&error](const image::ImageFileFacts& facts, const Cp1252Text& folder) {
      if (facts.Name.empty()) return fs::path();
      fs::path file = ToNativePath(folder) / NativeFileName(facts);
      return fs::is_regular_file(file, error) ? file : fs::path();
    };
    fs::path shown = thumbs_ ? existing(record.file.Thumb, thumb_folder) : fs::path();
    if (shown.empty() && clones_) shown = existing(record.file.Clone, clone_folder);
    return shown.empty() ? record.source : shown;
  }

  static image::RLImageFile PipelineInput(const RunImage& record) {
    image::RLImageFile input = record.file;
    // The pipeline reads the file's exact time itself.
    input.Original.DateTime = {};
    return input;
  }

  image::ImageFolders FoldersOf(const RunDirectory& directory) const {
    return {Join(state_.BaseDir.bytes(), directory.relative_path), outputs_.CloneFolder(directory).bytes(),
            outputs_.ThumbFolder(directory).bytes()};
  }

  // Hands the images that come next to the workers, up to the look-ahead's
  // room, with the input their turn will have: the first pass fixed their
  // names, no two alike, and nothing before their turn changes them. Their
  // output folders are made here, quietly: the directory's turn makes them
  // again and tells of a failure then. An image the guard refuses is not
  // handed over; its turn reports it.
  void FeedWorkers() {
    if (!workers_) return;
    while (workers_->Room() > 0 && feed_.directory < state_.DirList.size()) {
      const RunDirectory& directory = state_.DirList[feed_.directory];
      if (feed_.image >= directory.images.size()) {
        ++feed_.directory;
        feed_.image = 0;
        continue;
      }
      if (feed_.image == 0) MakeOutputFoldersQuietly(directory);
      const RunImage& record = directory.images[feed_.image];
      if (!outputs_.RefusedFile(state_.Guard, directory, record.file)) {
        workers_->Hand({feed_.turn, PipelineInput(record), FoldersOf(directory)});
      }
      ++feed_.image;
      ++feed_.turn;
    }
  }

  void MakeOutputFoldersQuietly(const RunDirectory& directory) {
    std::error_code error;
    if (clones_) fs::create_directories(ToNativePath(outputs_.CloneFolder(directory)), error);
    if (thumbs_) fs::create_directories(ToNativePath(outputs_.ThumbFolder(directory)), error);
    if (const std::optional<Cp1252Text> dense = outputs_.DenseThumbFolder(directory)) {
      fs::create_directories(ToNativePath(*dense), error);
    }
  }

  // The image's outcome from the workers, or made here when they do not
  // have it (one thread, or scripts that shape the clones).
  image::ImageOutcome MakeOutputs(const image::RLImageFile& input, const image::ImageFolders& folders) {
    if (workers_) {
      if (std::optional<image::ImageOutcome> ahead = workers_->Take(turn_, input, folders)) return std::move(*ahead);
    }
    return pipeline_.DoIt(input, folders);
  }

  // Runs the pipeline on one image; false when the user chose Cancel on
  // its error.
  bool Process(RunImage& record, const RunDirectory& directory) {
    if (!clones_ && !thumbs_) return true;
    if (!OutputsAllowed(record.file, directory)) return true;
    image::ImageOutcome outcome = MakeOutputs(PipelineInput(record), FoldersOf(directory));
    if (outcome.error) {
      ++run_.counters.ImageErrors;
      if (ReportImageError(*outcome.error)) {
        run_.startup.CancelRequested = true;
        return false;
      }
      record.file = std::move(outcome.file);
      return true;
    }
    record.file = std::move(outcome.file);
    if (outcome.clone_made) ++run_.counters.ClonesWritten;
    if (outcome.thumb_made) ++run_.counters.ThumbsWritten;
    const image::ImageFileFacts& shown = clones_ ? record.file.Clone : record.file.Original;
    WriteLog(OneLine(lang::FormatMessage(lang::GetText("Erzeugung", "InfImageLog"),
                                 {Cp1252Text(Join(directory.relative_path, FileNameOf(record.file.Original))),
                                  Cp1252Text(FileNameOf(shown)),
                                  Cp1252Text(std::to_string(shown.Width) + " x " + std::to_string(shown.Height)),
                                  Cp1252Text(FormatThousands(static_cast<std::uint64_t>(shown.Size)))})));
    return true;
  }

  // The clone and the thumbnail an image would get must pass the output
  // guard; an image whose output would replace a photo or leave the clone
  // folder is skipped with a message.
  bool OutputsAllowed(const image::RLImageFile& file, const RunDirectory& directory) {
    const std::optional<fs::path> refused = outputs_.RefusedFile(state_.Guard, directory, file);
    if (!refused) return true;
    ++run_.counters.ImageErrors;
    WriteLog("Output refused: " + FromNativePathOrBytes(*refused).bytes());
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrOutputRefused",
                      {FromNativePathOrBytes(*refused)});
    return false;
  }

  // ---- Phase 5: closing ----

  void LaunchBrowser() {
    if (!settings_.Flag("LAUNCH_BROWSER")) return;
    const fs::path document = run_.pages.StartDocument();
    if (document.empty()) return;
    if (std::system("command -v xdg-open >/dev/null 2>&1") != 0) {
      WriteLog("xdg-open missing, start document not opened: " + document.string());
      return;
    }
    std::string quoted = "'";
    for (const char c : document.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    [[maybe_unused]] const int status = std::system(("xdg-open " + quoted + " >/dev/null 2>&1 &").c_str());
  }

  void Summary() {
    run_.progress.Finish();
    const std::string summary = lang::FormatMessage(
        lang::GetText("Erzeugung", "InfLog"),
        {Cp1252Text(FormatSeconds(stopwatch_.Elapsed())), Cp1252Text::Number(state_.DirCount),
         Cp1252Text::Number(run_.counters.ImagesDone), Cp1252Text(FormatThousands(static_cast<std::uint64_t>(state_.ByteTotal))),
         Cp1252Text::Number(run_.counters.ClonesWritten), Cp1252Text::Number(run_.counters.ThumbsWritten),
         Cp1252Text::Number(run_.counters.HtmlWritten)});
    WriteLog("InfLog " + OneLine(summary));
    std::string shown = summary;
    if (cleaning_) {
      const std::string cleaned =
          lang::FormatMessage(lang::GetText("Erzeugung", "InfCleaned"), {Cp1252Text::Number(cleaned_)});
      WriteLog("InfCleaned " + cleaned);
      shown += "\r\n" + cleaned;
    }
    for (std::size_t at = shown.find("\r\n"); at != std::string::npos; at = shown.find("\r\n", at)) shown.erase(at, 1);
    std::fprintf(stderr, "%s\n", Cp1252ToUtf8(shown).c_str());
    run_.progress.Summary(shown);
  }

  GenerationRun& run_;
  RunState& state_;
  const settings::SettingsTable& settings_;
  RunContext& ctx_;
  RunImageHost& host_;
  RunCloneHooks hooks_;
  OutputFolders folders_;
  image::RLImage pipeline_{image::PipelineOptions{}};
  std::optional<ImageWorkers> workers_;
  // The images in run order: turn_ is the one the main pass is at, feed_
  // the next one to hand to the workers.
  std::size_t turn_ = 0;
  struct {
    std::size_t directory = 0, image = 0, turn = 0;
  } feed_;
  RunOutputs outputs_;
  std::optional<RunContextWriter> context_;
  PageKinds kinds_;
  bool clones_ = false, thumbs_ = false, main_pass_ = true;
  bool cleaning_ = false;  // a clean switch was on: the summary says how much went
  int cleaned_ = 0;
  long thumbs_per_line_ = 4;
  std::string page_extension_;
  fs::path html_root_;
  std::vector<fs::path> protected_;
  std::set<fs::path> swept_;
  CStopWatch stopwatch_;
};

}  // namespace

RunEnd GenerationRun::Run() { return Generator(*this).Run(); }

}  // namespace velmora::app
