// The main window.
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/run/selection_tree.h"
#include "app/run_tree.h"
#include "lang/messages.h"
#include "platform/cp1252_case.h"
#include "platform/native_path.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/user_settings.h"
#include "settings/working_settings.h"
#include "ui/captions.h"
#include "ui/qt_text.h"
#include "ui/run_panel.h"
#include "ui/selection_view.h"
#include "ui/window_menus.h"

namespace velmora::ui {
namespace {

constexpr std::string_view kSection = "Startdialog";
// The window's progress display is redrawn this often while a run goes.
constexpr int kPollMs = 100;

QLabel* CaptionLabel(const char* key, QWidget* parent) {
  auto* label = new QLabel(parent);
  SetCaptionKey(label, key);
  return label;
}

QString ProfileShownName(const settings::RLProfil& profile) {
  return profile.IsDefault() ? Text("Global", "ProfileDefaultname") : FromCp1252(profile.Name);
}

}  // namespace

MainWindow::MainWindow(app::StartupState& startup, QWidget* parent)
    : QMainWindow(parent),
      startup_(startup),
      worker_(new RunWorker(startup, this)),
      builder_(new TreeBuilder(this)),
      messages_(std::make_unique<MessageBoxes>(this)),
      base_chooser_(new QComboBox(this)),
      browse_(new QPushButton(this)),
      level_(new QComboBox(this)),
      profile_(new QComboBox(this)),
      start_(new QPushButton(this)),
      splitter_(new QSplitter(this)),
      view_(new SelectionView(splitter_)),
      panel_(new RunPanel(splitter_)),
      status_(new QLabel(this)) {
  setObjectName("Startdialog");
  setWindowTitle(QString::fromLatin1(lang::kApplicationTitle.data(), static_cast<int>(lang::kApplicationTitle.size())));

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* top = new QHBoxLayout();
  top->addWidget(CaptionLabel("BaseDirectory", central));
  base_chooser_->setEditable(true);
  base_chooser_->setInsertPolicy(QComboBox::NoInsert);
  base_chooser_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  base_chooser_->setMinimumContentsLength(30);
  top->addWidget(base_chooser_, 1);
  SetCaptionKey(browse_, "SelectBaseDirectory");
  top->addWidget(browse_);
  layout->addLayout(top);

  auto* second = new QHBoxLayout();
  second->addWidget(CaptionLabel("Level", central));
  second->addWidget(level_);
  second->addSpacing(16);
  second->addWidget(CaptionLabel("Profile", central));
  profile_->setMinimumContentsLength(16);
  second->addWidget(profile_, 1);
  second->addSpacing(16);
  start_->setMinimumWidth(120);
  start_->setDefault(true);
  second->addWidget(start_);
  layout->addLayout(second);

  splitter_->setChildrenCollapsible(false);
  layout->addWidget(splitter_, 1);
  setCentralWidget(central);
  status_->setTextFormat(Qt::PlainText);
  statusBar()->addWidget(status_, 1);

  menus_ = new WindowMenus(this, MenuHandlers{[this] { OnProfileChanged(); }, [this] { OnLanguageChanged(); },
                                              [this] {
                                                SaveSelection();
                                                return FirstTickedFolder();
                                              }});

  connect(browse_, &QPushButton::clicked, this, &MainWindow::ChooseBaseDirectory);
  connect(base_chooser_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    if (!filling_) SetBaseDirectory(base_chooser_->itemText(index));
  });
  connect(base_chooser_->lineEdit(), &QLineEdit::returnPressed, this,
          [this] { SetBaseDirectory(base_chooser_->currentText()); });
  connect(level_, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int index) {
    if (!filling_ && index >= 0) SetLevel(index);
  });
  connect(profile_, QOverload<int>::of(&QComboBox::activated), this, &MainWindow::OnProfileChosen);
  connect(start_, &QPushButton::clicked, this, &MainWindow::StartOrStop);
  connect(builder_, &TreeBuilder::built, this, &MainWindow::OnTreeBuilt);
  connect(worker_, &RunWorker::finished, this, &MainWindow::OnRunFinished);
  connect(view_, &SelectionView::checksChanged, this, [this] {
    SaveSelection();
    ShowTreeStatus();
  });
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &MainWindow::PollProgress);

  // Remembering the unticked folders is what a desktop user expects; it
  // stays off only where the user switched it off.
  if (settings::ReadUserSetting("LastSession", "profilelastselection").empty()) {
    settings::WriteUserSetting("LastSession", "profilelastselection", "1");
  }
  FillLevels();
  FillProfiles();
  ApplyCaptions(this);
  menus_->Refresh();
  RestoreSession();
  UpdateControls();
}

MainWindow::~MainWindow() {
  poll_.stop();
  // A run still going stops and is waited for; a question it asks meanwhile
  // gets its default answer.
  messages_.reset();
  delete worker_;
  delete builder_;
}

// ---- base directory, level, profile ----

bool MainWindow::SetBaseDirectory(const QString& path) {
  const QString trimmed = path.trimmed();
  const std::optional<Cp1252Text> name = FromNativePath(ToNative(trimmed));
  std::error_code error;
  if (trimmed.isEmpty() || !name || !std::filesystem::is_directory(ToNative(trimmed), error)) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrBasedirNotAvailable",
                      {name ? *name : Cp1252Text::FromUtf8ForDisplay(trimmed.toStdString())});
    FillHistory();
    return false;
  }
  SaveSelection();
  base_ = app::AbsoluteBaseDir(name->bytes());
  session_.history = WithRecent(session_.history, base_);
  FillHistory();
  BuildTree();
  return true;
}

void MainWindow::SetLevel(int level) {
  if (level < 0 || level > 2) return;
  if (level_->currentIndex() != level) {
    filling_ = true;
    level_->setCurrentIndex(level);
    filling_ = false;
  }
  if (startup_.DirLevel == level && !builder_->tree().empty()) return;
  SaveSelection();
  startup_.DirLevel = level;
  session_.level = level;
  BuildTree();
}

void MainWindow::BuildTree() {
  if (base_.empty()) {
    view_->ShowTree(nullptr);
    ShowTreeStatus();
    return;
  }
  view_->ShowNotice(Text(kSection, "DirRead"));
  builder_->Build(base_, startup_.DirLevel);
  UpdateControls();
}

void MainWindow::OnTreeBuilt() {
  if (builder_->result() == app::TreeBuild::kBaseUnavailable) {
    lang::ShowMessage(lang::kApplicationTitle, lang::kButtonsOk | lang::kIconExclamation, "ErrBasedirNotAvailable",
                      {Cp1252Text(builder_->base())});
  }
  view_->ShowTree(&builder_->tree());
  ShowTreeStatus();
  UpdateControls();
  emit treeShown();
}

void MainWindow::ShowTreeStatus() {
  const app::SelectionTree& tree = builder_->tree();
  if (builder_->busy() || tree.empty()) {
    status_->clear();
    return;
  }
  // The folders of the run's level that are ticked, and their images.
  int folders = 0;
  std::int64_t images = 0;
  for (int node = 0; node < static_cast<int>(tree.nodes().size()); ++node) {
    int depth = 0;
    for (int at = tree.node(node).parent; at >= 0; at = tree.node(at).parent) ++depth;
    if (depth != startup_.DirLevel || !tree.node(node).checked || tree.node(node).image_count < 1) continue;
    ++folders;
    images += tree.node(node).image_count;
  }
  status_->setText(QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(folders)
                       .arg(Text(kSection, folders == 1 ? "Directories1" : "Directories2"))
                       .arg(Text(kSection, "With"))
                       .arg(images)
                       .arg(Text(kSection, images == 1 ? "Image" : "Images")));
}

std::filesystem::path MainWindow::FirstTickedFolder() const {
  if (builder_->busy()) return {};
  for (const app::SelectionNode& node : builder_->tree().nodes()) {
    if (node.checked && node.image_count > 0) return ToNativePath(Cp1252Text(std::string(node.full_path())));
  }
  return {};
}

void MainWindow::SaveSelection() {
  const app::SelectionTree& tree = builder_->tree();
  if (base_.empty() || tree.empty() || builder_->busy() || builder_->base() != base_) return;
  app::SaveSelection(tree, base_);
}

void MainWindow::ChooseBaseDirectory() {
  const QString chosen = QFileDialog::getExistingDirectory(this, Text(kSection, "SelectBaseDirectory"),
                                                           FromCp1252(base_));
  if (!chosen.isEmpty()) SetBaseDirectory(chosen);
}

void MainWindow::FillHistory() {
  filling_ = true;
  base_chooser_->clear();
  for (const std::string& base : session_.history) base_chooser_->addItem(FromCp1252(base));
  base_chooser_->setEditText(FromCp1252(base_));
  filling_ = false;
}

void MainWindow::FillLevels() {
  filling_ = true;
  const int current = level_->currentIndex();
  level_->clear();
  for (const char* key : {"Level0", "Level1", "Level2"}) level_->addItem(Text(kSection, key));
  level_->setCurrentIndex(current >= 0 ? current : startup_.DirLevel);
  filling_ = false;
}

void MainWindow::FillProfiles() {
  filling_ = true;
  profile_->clear();
  int current = 0;
  const settings::RLProfil& active = settings::CurrentProfile();
  for (const settings::RLProfil& profile : settings::ProfileList()) {
    if (profile.ProfileType == active.ProfileType && profile.Name == active.Name) current = profile_->count();
    profile_->addItem(ProfileShownName(profile), QString::fromStdString(profile.Name));
  }
  profile_->setCurrentIndex(current);
  filling_ = false;
}

void MainWindow::OnProfileChosen(int index) {
  if (filling_ || index < 0) return;
  const settings::RLProfile& list = settings::ProfileList();
  const settings::RLProfil* chosen = list.Item(static_cast<std::size_t>(index) + 1);
  if (chosen == nullptr) return;
  SaveSelection();
  if (!settings::SwitchProfile(*chosen)) {
    FillProfiles();  // cancelled, or the same profile: show the current one again
    return;
  }
  OnProfileChanged();
}

void MainWindow::OnProfileChanged() {
  FillProfiles();
  menus_->Refresh();
  // A profile brings its own level.
  const long level = settings::WorkingSettings().Int("DIR_LEVEL");
  startup_.DirLevel = level >= 0 && level <= 2 ? static_cast<std::int32_t>(level) : 0;
  session_.level = startup_.DirLevel;
  filling_ = true;
  level_->setCurrentIndex(startup_.DirLevel);
  filling_ = false;
  BuildTree();
}

void MainWindow::OnLanguageChanged() {
  FillLevels();
  FillProfiles();
  ShowTreeStatus();
  UpdateControls();
  // The root's default profile name and the selection file follow the language.
  BuildTree();
}

// ---- the run ----

void MainWindow::StartOrStop() {
  if (worker_->running()) {
    worker_->RequestStop();
    start_->setEnabled(false);  // until the run reaches its next stop point
    return;
  }
  if (builder_->busy() || base_.empty()) return;
  SaveSelection();
  panel_->BeginRun();
  view_->SetLocked(true);
  view_->MarkRunStart(startup_.DirLevel);
  if (!worker_->Start(base_, builder_->tree())) return;
  poll_.start();
  UpdateControls();
}

void MainWindow::PollProgress() {
  const ProgressSnapshot progress = worker_->Progress();
  panel_->ShowProgress(progress);
  if (progress.started) view_->MarkCurrentDirectory(progress.directory);
}

void MainWindow::OnRunFinished() {
  poll_.stop();
  const RunOutcome& outcome = worker_->outcome();
  // The run's closing marks; the check flags are the window's own.
  app::SelectionTree& tree = builder_->tree();
  if (outcome.tree.nodes().size() == tree.nodes().size()) {
    for (std::size_t i = 0; i < tree.nodes().size(); ++i) {
      tree.node(static_cast<int>(i)).mark = outcome.tree.nodes()[i].mark;
    }
  }
  view_->SetLocked(false);
  view_->ShowTreeMarks();
  panel_->ShowSummary(worker_->Progress(), outcome.start_document);
  UpdateControls();
  emit runFinished();
}

void MainWindow::UpdateControls() {
  const bool running = worker_->running();
  const bool busy = builder_->busy();
  start_->setText(Text(kSection, running ? "Stop" : "Start"));
  start_->setEnabled(running || (!busy && !base_.empty() && !builder_->tree().empty()));
  for (QWidget* control : std::initializer_list<QWidget*>{base_chooser_, browse_, level_, profile_}) {
    control->setEnabled(!running);
  }
  menus_->SetRunning(running);
}

// ---- session ----

void MainWindow::RestoreSession() {
  session_ = ReadWindowSession();
  panel_->SetPreviewOn(session_.preview);
  startup_.DirLevel = session_.level.value_or(startup_.DirLevel);
  filling_ = true;
  level_->setCurrentIndex(std::clamp(startup_.DirLevel, 0, 2));
  filling_ = false;
  // A window larger than the screen is reduced to the screen.
  const QRect screen = QApplication::primaryScreen() != nullptr ? QApplication::primaryScreen()->availableGeometry()
                                                                : QRect(0, 0, 1280, 800);
  const QSize size(session_.width > 0 ? std::min(session_.width, screen.width()) : std::min(1000, screen.width()),
                   session_.height > 0 ? std::min(session_.height, screen.height()) : std::min(700, screen.height()));
  resize(size);
  if (session_.left >= 0 && session_.top >= 0 && screen.contains(QPoint(session_.left, session_.top))) {
    move(session_.left, session_.top);
  }
  const int pane = session_.pane > 0 ? std::min(session_.pane, size.width() - 200) : size.width() / 2;
  splitter_->setSizes({pane, std::max(200, size.width() - pane)});
  if (!session_.base.empty() && !SetBaseDirectory(FromNative(ToNativePath(Cp1252Text(session_.base))))) base_.clear();
  FillHistory();
}

void MainWindow::StoreSession() {
  session_.base = base_;
  session_.preview = panel_->PreviewOn();
  session_.width = width();
  session_.height = height();
  session_.left = x();
  session_.top = y();
  session_.pane = splitter_->sizes().value(0);
  session_.level = startup_.DirLevel;
  WriteWindowSession(session_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (worker_->running()) {
    // Closing during a run only asks it to stop; the window stays open to
    // show the summary.
    worker_->RequestStop();
    event->ignore();
    return;
  }
  settings::CommitWorkingSettings();
  if (settings::ConfirmProfileChanges() == lang::kResultCancel) {
    event->ignore();
    return;
  }
  StoreSession();
  settings::WriteUserSetting("LastSession", "profile",
                             settings::CurrentProfile().IsDefault() ? std::string() : Cp1252ToLower(settings::CurrentProfile().Name));
  SaveSelection();
  event->accept();
}

}  // namespace velmora::ui
