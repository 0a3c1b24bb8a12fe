// The options dialog against the profile on disk: what a user changes on a
// page is what the saved profile holds, Cancel leaves the file alone, and a
// refused value keeps the page (and the dialog) open.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/run/setting_ranges.h"
#include "options_fixture.h"
#include "settings/profile_data.h"
#include "settings/profile_files.h"
#include "settings/profile_management.h"
#include "settings/profile_reader.h"
#include "settings/working_settings.h"
#include "settings/settings_catalogue.h"
#include "image/clone_list/clone_list.h"
#include "settings/user_settings.h"
#include "ui/options/option_page_table.h"
#include "ui/options/options_dialog.h"
#include "ui/options/setting_control.h"

namespace velmora::ui::test {
namespace {

// A value the control can take that differs from `current` and passes the page checks.
std::string OtherValue(const SettingControl& control, const std::string& current) {
  const OptionEntry& entry = control.entry();
  switch (entry.kind) {
    case ControlKind::kFlag: return current == "1" ? "0" : "1";
    case ControlKind::kNumber: {
      const auto range = app::RangeOfSetting(settings::SettingKey::Require(entry.key));
      const long long low = range ? range->min : entry.lowest;
      return std::to_string(current == std::to_string(low) ? low + 1 : low);
    }
    case ControlKind::kColour: return current == "255" ? "65280" : "255";
    case ControlKind::kChoice:
      for (const ChoiceItem& choice : entry.choices) {
        if (choice.value != current) return std::string(choice.value);
      }
      return current;
    case ControlKind::kBits: return current == "16" ? "32" : "16";
    case ControlKind::kFolder:
    case ControlKind::kFile: return "/tmp/anders";
    case ControlKind::kText:
    case ControlKind::kLongText:
    case ControlKind::kScript: return current.empty() ? "neu" : current + "x";
    case ControlKind::kReadOnly: return current;
  }
  return current;
}

TEST_F(OptionsTest, EveryCatalogueSettingHasAControlOnSomePage) {
  OptionsDialog dialog(nullptr, DialogSetup());
  for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
    EXPECT_NE(dialog.ControlOf(definition.key), nullptr) << definition.key << " cannot be seen on any page";
  }
  EXPECT_EQ(dialog.PageCount(), static_cast<int>(OptionPages().size()));
}

TEST_F(OptionsTest, PagesAreCaptionedFromTheLanguageTable) {
  OptionsDialog dialog(nullptr, DialogSetup());
  EXPECT_EQ(dialog.PageCaption(0), QStringLiteral("Dateien"));
  EXPECT_EQ(dialog.PageCaption(4), QStringLiteral("Clonen - Effekte"));
  EXPECT_EQ(dialog.PageCaption(dialog.PageCount() - 1), QStringLiteral("Allgemeines"));
}

TEST_F(OptionsTest, EveryChangedSettingIsInTheSavedProfile) {
  OptionsDialog dialog(nullptr, DialogSetup());
  std::map<std::string, std::string> expected;
  for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
    SettingControl* control = dialog.ControlOf(definition.key);
    ASSERT_NE(control, nullptr);
    if (control->entry().kind == ControlKind::kReadOnly) continue;
    const std::string value = OtherValue(*control, settings::WorkingSettings().Value(control->slot()));
    control->SetValue(value);
    expected[std::string(definition.key)] = value;
  }
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted) << (messages_.keys.empty() ? "" : messages_.keys.front());
  const settings::SettingsTable saved = ReadSettings(UserProfile());
  for (const auto& [key, value] : expected) {
    EXPECT_EQ(saved.Text(settings::SettingKey::Require(key)), value) << key;
  }
  EXPECT_EQ(saved.Text("VERSION"), settings::ProgramVersionText());
}

TEST_F(OptionsTest, TypingIntoAFieldReachesTheWorkingSettings) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.show();
  dialog.ShowPage(1);
  auto* field = qobject_cast<QLineEdit*>(dialog.ControlOf("THUMB_DIRNAME")->focusWidget());
  ASSERT_NE(field, nullptr);
  field->selectAll();
  QTest::keyClicks(field, "kleine");
  EXPECT_EQ(settings::WorkingSettings().Text("THUMB_DIRNAME"), "kleine");
  auto* side = qobject_cast<QComboBox*>(dialog.ControlOf("THUMB_SELECTED_SIDE")->focusWidget());
  side->setCurrentIndex(side->findData("4"));
  EXPECT_EQ(settings::WorkingSettings().Text("THUMB_SELECTED_SIDE"), "4");
}

TEST_F(OptionsTest, CancelLeavesTheProfileFileByteIdentical) {
  const std::string before = velmora::test::ReadFile(UserProfile());
  {
    OptionsDialog dialog(nullptr, DialogSetup());
    dialog.ControlOf("THUMB_SIZE")->SetValue("333");
    dialog.ControlOf("KOMMENTAR")->SetValue("geändert");
    dialog.reject();
  }
  EXPECT_EQ(velmora::test::ReadFile(UserProfile()), before);
  EXPECT_EQ(settings::WorkingSettings().Text("THUMB_SIZE"), "120");
  EXPECT_EQ(settings::WorkingSettings(), settings::StoredSettings());
}

TEST_F(OptionsTest, AValueOutOfRangeKeepsThePageAndTheDialogOpen) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.ShowPage(1);
  dialog.ControlOf("THUMB_SIZE")->SetValue("5");
  EXPECT_FALSE(dialog.ShowPage(2));
  EXPECT_EQ(dialog.CurrentPage(), 1);
  ASSERT_EQ(messages_.keys, std::vector<std::string>{"ErrThumbDimension"});
  EXPECT_EQ(messages_.texts.front(), "Ausdehnung der Thumbnails fehlerhaft");

  const std::string before = velmora::test::ReadFile(UserProfile());
  dialog.ShowPage(0);  // refused again
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(messages_.keys.size(), 3u);
  EXPECT_EQ(velmora::test::ReadFile(UserProfile()), before);

  dialog.ControlOf("THUMB_SIZE")->SetValue("80");
  EXPECT_TRUE(dialog.ShowPage(2));
}

TEST_F(OptionsTest, OutputNamesAndTheSearchPatternAreChecked) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.ShowPage(5);
  dialog.ControlOf("HTML_BASE")->SetValue("../draussen");
  EXPECT_FALSE(dialog.ShowPage(0));
  EXPECT_EQ(messages_.keys.back(), "ErrHTMLDirInvalidCharacter");
  dialog.ControlOf("HTML_BASE")->SetValue("html");
  ASSERT_TRUE(dialog.ShowPage(0));

  // An empty pattern falls back to "*" and says so; the page may be left.
  dialog.ControlOf("FILTER")->SetValue("");
  EXPECT_TRUE(dialog.ShowPage(1));
  EXPECT_EQ(messages_.keys.back(), "ErrMissingTemplate");
  EXPECT_EQ(settings::WorkingSettings().Text("FILTER"), "*");

  ASSERT_TRUE(dialog.ShowPage(0));
  dialog.ControlOf("JPG_EXT")->SetValue("");
  EXPECT_FALSE(dialog.ShowPage(1));
  EXPECT_EQ(messages_.keys.back(), "ErrMissingImageType");
}

TEST_F(OptionsTest, ASystemProfileIsSavedUnderANewUserProfileName) {
  settings::SelectProfile(settings::FindProfile("Web"));
  const std::string system_before = velmora::test::ReadFile(SystemDir() / "Web.vlp");
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.ControlOf("THUMB_QUALITY")->SetValue("90");
  messages_.profile_names = {QStringLiteral(""), QStringLiteral("a:b"), QStringLiteral("Mein Web")};
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(messages_.name_questions, 3);
  EXPECT_EQ(messages_.keys, (std::vector<std::string>{"ErrProfileMissingName", "ErrProfileInvalidCharacter"}));
  EXPECT_EQ(velmora::test::ReadFile(SystemDir() / "Web.vlp"), system_before);
  const settings::SettingsTable saved = ReadSettings(UserDir() / "Mein Web.vlp");
  EXPECT_EQ(saved.Text("THUMB_QUALITY"), "90");
  EXPECT_EQ(saved.Text("THUMB_SIZE"), "150");
  EXPECT_EQ(settings::CurrentProfile().Name, "Mein Web");
}

TEST_F(OptionsTest, CancellingTheNameQuestionSavesNothing) {
  settings::SelectProfile(nullptr);  // the built-in profile
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.ControlOf("THUMB_QUALITY")->SetValue("90");
  dialog.accept();
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(messages_.name_questions, 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(UserDir()), {}), 1);
}

TEST_F(OptionsTest, RenameExamplesFollowTheMask) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.ControlOf("CLONE_RENAME_MASK")->SetValue("%_$_#");
  dialog.ControlOf("CLONE_RENAME_DIGITS")->SetValue("2");
  const auto labels = dialog.Page(3)->findChildren<QLabel*>();
  bool found = false;
  for (const QLabel* label : labels) {
    found = found || label->text().contains(QStringLiteral("Beispiel-Verzeichnis_Beispiel-Datei 2_02"));
  }
  EXPECT_TRUE(found);
}

TEST_F(OptionsTest, GeneralOptionsGoToTheUserSettingsStore) {
  OptionsDialog dialog(nullptr, DialogSetup());
  auto* box = dialog.Page(dialog.PageCount() - 1)->findChild<QAbstractButton*>("profilelastselection");
  ASSERT_NE(box, nullptr);
  box->setChecked(true);
  EXPECT_EQ(settings::ReadUserSetting("LastSession", "profilelastselection", "0"), "0");  // not before OK
  dialog.accept();
  EXPECT_EQ(settings::ReadUserSetting("LastSession", "profilelastselection", "0"), "1");
}

// Every control a user can reach with the keyboard has a name a screen
// reader can say, and every setting's caption has its own Alt key.
TEST_F(OptionsTest, ControlsHaveAccessibleNamesAndMnemonics) {
  OptionsDialog dialog(nullptr, DialogSetup());
  for (int page = 0; page < dialog.PageCount(); ++page) {
    QSet<QChar> keys;
    for (QWidget* widget : dialog.Page(page)->findChildren<QWidget*>()) {
      if (!(widget->focusPolicy() & Qt::TabFocus) || widget->inherits("QScrollBar") || widget->inherits("QScrollArea") ||
          (widget->parentWidget() != nullptr && widget->parentWidget()->inherits("QAbstractSpinBox"))) {
        continue;
      }
      if (widget->inherits("QAbstractButton") && !qobject_cast<QAbstractButton*>(widget)->text().isEmpty() &&
          widget->accessibleName().isEmpty()) {
        continue;  // a button says its caption
      }
      EXPECT_FALSE(widget->accessibleName().isEmpty())
          << dialog.PageCaption(page).toStdString() << ": " << widget->metaObject()->className() << " "
          << widget->objectName().toStdString();
    }
    std::vector<const QLabel*> unmarked;
    keys = {u'o', u'a'};  // the dialog's OK and Abbrechen
    for (const QLabel* label : dialog.Page(page)->findChildren<QLabel*>()) {
      if (label->buddy() == nullptr) continue;
      const qsizetype amp = label->text().indexOf(u'&');
      if (amp < 0) {
        unmarked.push_back(label);
        continue;
      }
      const QChar key = label->text()[amp + 1].toLower();
      EXPECT_FALSE(keys.contains(key)) << label->text().toStdString();
      keys.insert(key);
    }
    for (const QAbstractButton* button : dialog.Page(page)->findChildren<QAbstractButton*>()) {
      const qsizetype amp = button->text().indexOf(u'&');
      if (amp < 0 || amp + 1 >= button->text().size()) continue;
      const QChar key = button->text()[amp + 1].toLower();
      EXPECT_FALSE(keys.contains(key)) << button->text().toStdString();
      keys.insert(key);
    }
    // Only a caption whose every letter another field took goes without.
    for (const QLabel* label : unmarked) {
      for (const QChar c : label->text()) {
        if (c.isLetterOrNumber()) {
          EXPECT_TRUE(keys.contains(c.toLower())) << label->text().toStdString();
        }
      }
    }
  }
}

TEST_F(OptionsTest, TabFollowsThePageFromTopToBottom) {
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  ASSERT_TRUE(dialog.ShowPage(1));
  const std::vector<const char*> order{"THUMBNAILS", "THUMB_DIRNAME", "THUMB_SELECTED_SIDE", "THUMB_SIZE"};
  dialog.ControlOf(order.front())->focusWidget()->setFocus();
  for (std::size_t i = 1; i < order.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog.ControlOf(order[i])->focusWidget()) << order[i];
  }
}

// Pictures of every page for the reviewers, kept as build artifacts.
TEST_F(OptionsTest, ScreenshotsOfEveryPage) {
  const QString folder = QStringLiteral(VELMORA_ARTIFACTS_DIR "/options");
  ASSERT_TRUE(QDir().mkpath(folder));
  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.show();
  for (int page = 0; page < dialog.PageCount(); ++page) {
    ASSERT_TRUE(dialog.ShowPage(page));
    QApplication::processEvents();
    const std::string_view key = OptionPages()[static_cast<std::size_t>(page)].caption_key;
    const QString file = QStringLiteral("%1/%2_%3.png")
                             .arg(folder)
                             .arg(page, 2, 10, QLatin1Char('0'))
                             .arg(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
    EXPECT_TRUE(dialog.grab().save(file)) << file.toStdString();
  }
}

}  // namespace
}  // namespace velmora::ui::test

namespace velmora::ui::test {
namespace {

// Opening a shipped profile's copy in the dialog, visiting every page and
// pressing OK changes none of its values: no control rewrites what it shows.
class ShippedProfileTest : public OptionsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedProfileTest, OpenAndOkKeepsEveryValue) {
  const std::filesystem::path shipped = std::filesystem::path(VELMORA_SOURCE_DIR) / "data" / "profiles" / (std::string(GetParam()) + ".vlp");
  const std::filesystem::path copy = UserDir() / "Kopie.vlp";
  std::filesystem::copy_file(shipped, copy);
  settings::RefreshProfileList();
  ASSERT_TRUE(settings::SelectProfile(settings::FindProfile("Kopie")));
  const settings::SettingsTable before = settings::StoredSettings();
  const image::CCloneEffekte clones_before = settings::StoredCloneList();
  const settings::RLModule modules_before = settings::StoredModules();

  OptionsDialog dialog(nullptr, DialogSetup());
  dialog.show();
  for (int page = 0; page < dialog.PageCount(); ++page) ASSERT_TRUE(dialog.ShowPage(page)) << page;
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(messages_.keys.empty()) << messages_.keys.front();

  const settings::SettingsTable saved = ReadSettings(copy);
  for (const settings::SettingDefinition& definition : settings::SettingsCatalogue()) {
    if (definition.key == "VERSION") continue;
    EXPECT_EQ(saved.Value(definition.slot), before.Value(definition.slot)) << definition.key;
  }
  std::vector<std::string> expected;
  for (const image::CloneItem& item : clones_before) {
    for (const auto& [key, value] : item.ProfileProperties()) expected.push_back(key + "=" + value);
  }
  std::vector<std::string> written;
  for (const image::CloneItem& item : settings::StoredCloneList()) {
    for (const auto& [key, value] : item.ProfileProperties()) written.push_back(key + "=" + value);
  }
  EXPECT_EQ(written, expected);
  settings::SettingsTable table;
  image::CCloneEffekte clones;
  settings::RLModule modules;
  ASSERT_FALSE(settings::ReadProfileText(velmora::test::ReadFile(copy), table, clones, modules));
  EXPECT_TRUE(modules == modules_before);
  EXPECT_EQ(modules.Count(), std::string(GetParam()) == "Modern" ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedProfileTest, ::testing::Values("Voreinstellung", "Modern", "Copyright"));

}  // namespace
}  // namespace velmora::ui::test
