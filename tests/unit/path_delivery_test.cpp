#include "delivery/path_delivery.h"

#include <gtest/gtest.h>

#include "delivery/delivery_notice.h"
#include "delivery/modifier_release.h"
#include "fake_desktop.h"

namespace hop {
namespace {

using testing::FakeDesktop;
using testing::FakeWindowTree;
using Sent = std::vector<std::vector<KeyChord>>;
constexpr WindowHandle kDesktop = FakeWindowTree::kDesktop;
const DialogSigns kOpenSigns{false, false, L"&Open", L"Look &in:"};
const DialogSigns kSaveSigns{false, false, L"&Save", L"Save &in:"};

std::vector<KeyChord> Keys(std::wstring_view keyString) {
  return *ParseKeyString(keyString);
}

// An application with a document, and a classic Save dialog above it that suggests a name.
struct World {
  World() {
    app = tree.Add(kDesktop, L"Notes", L"NotesMain");
    desktop.paths = {{L"C:\\fav", PathKind::Folder},
                     {L"C:\\fav\\", PathKind::Folder},
                     {L"C:\\fav\\budget.xlsx", PathKind::File},
                     {L"C:\\work\\sub", PathKind::Folder}};
    dialog = AddDialog(L"Save As", kSaveSigns);
  }

  // A file dialog on top of the others.
  WindowHandle AddDialog(const wchar_t* title, const DialogSigns& signs) {
    const WindowHandle d = tree.Add(kDesktop, title, L"#32770");
    auto& top = tree[kDesktop].children;
    std::rotate(top.begin(), top.end() - 1, top.end());
    const WindowHandle field = tree.Add(d, L"", L"Edit", 1148);
    desktop.text[field] = L"Suggested.txt";
    desktop.fileField[d] = field;
    desktop.signs[d] = signs;
    desktop.clearsOnMove.insert(d);
    return d;
  }
  WindowHandle Field(WindowHandle d) { return desktop.fileField[d]; }
  std::wstring Typed() const {
    std::wstring typed;
    for (const auto& batch : desktop.sent) {
      for (const auto& chord : batch) typed += chord.key == NamedKey::None ? chord.character : L'~';
    }
    return typed;
  }

  FakeWindowTree tree;
  FakeDesktop desktop{tree};
  PathDelivery delivery{tree};
  WindowHandle app = 0, dialog = 0;
};

class Delivery : public ::testing::Test, protected World {};

TEST_F(Delivery, SaveAndOpenDialogsOnlyEverCommitWhatTheUserMeant) {
  struct Case {
    DialogSigns signs;
    std::wstring path;
    bool vistaStyle;  // keeps the typed text after a move, where classic empties it
    std::wstring typed, field, returned;
    DeliveryOutcome outcome;
  } cases[] = {
      {kSaveSigns, L"C:\\fav", false, L"C:\\fav\\~", L"Suggested.txt", L"",
       DeliveryOutcome::Delivered},
      {kSaveSigns, L"C:\\fav\\", true, L"C:\\fav\\~", L"Suggested.txt", L"",
       DeliveryOutcome::Delivered},
      {kOpenSigns, L"C:\\fav", true, L"C:\\fav\\~", L"Suggested.txt", L"",
       DeliveryOutcome::Delivered},
      {kSaveSigns, L"C:\\fav\\budget.xlsx", true, L"C:\\fav\\~", L"budget.xlsx", L"",
       DeliveryOutcome::Delivered},
      {{},
       L"C:\\fav\\budget.xlsx",
       false,
       L"C:\\fav\\~",
       L"budget.xlsx",
       L"",
       DeliveryOutcome::Delivered},  // a dialog that cannot be told apart counts as Save
      {kOpenSigns, L"C:\\fav\\budget.xlsx", false, L"C:\\fav\\budget.xlsx~", L"",
       L"C:\\fav\\budget.xlsx", DeliveryOutcome::Delivered},
      {kSaveSigns, L"C:\\gone", false, L"", L"Suggested.txt", L"", DeliveryOutcome::PathMissing},
      {kOpenSigns, L"\\\\offline\\share\\", false, L"", L"Suggested.txt", L"",
       DeliveryOutcome::PathMissing},
  };
  for (const bool clipboardMode : {false, true}) {
    for (const auto& c : cases) {
      World fresh;
      auto& d = fresh.desktop;
      d.signs[fresh.dialog] = c.signs;
      if (c.vistaStyle) d.clearsOnMove.clear();
      const WindowHandle field = fresh.Field(fresh.dialog);
      const auto outcome = fresh.delivery.Deliver(d, c.path, clipboardMode);
      const std::wstring where = c.path + (clipboardMode ? L" pasted" : L" typed");
      EXPECT_EQ(outcome, c.outcome) << where;
      std::wstring typed = fresh.Typed();
      if (clipboardMode && !typed.empty()) {
        ASSERT_EQ(d.clipboardDuringPaste.size(), 1u);
        const auto& pasted = d.clipboardDuringPaste[0].at(FakeDesktop::kUnicodeText);
        typed = std::wstring(pasted.begin(), pasted.end()) + typed;
      }
      EXPECT_EQ(typed, c.typed) << where;
      EXPECT_EQ(d.returned[fresh.dialog], c.returned) << where;
      if (c.returned.empty()) {
        EXPECT_EQ(d.text[field], c.field) << where;
        EXPECT_EQ(d.selected[field], c.outcome == DeliveryOutcome::Delivered) << where;
      }
      EXPECT_EQ(d.clipboard, World().desktop.clipboard) << where;
      EXPECT_EQ(d.pointer, (std::vector<bool>{true, false})) << where;
    }
  }
}

TEST_F(Delivery, AFieldIsNotWrittenBackWhileTheDialogIsStillActingOnItsDefaultButton) {
  // A Vista-style Save dialog keeps the path in its field; the earlier name put back before the
  // press is handled would be what the press saves.
  desktop.clearsOnMove.clear();
  desktop.pressOutstanding = true;
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav", false), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.text[Field(dialog)], L"C:\\fav\\");
}

TEST_F(Delivery, WindowsSaveDialogsGetTheirNameBackInTheFieldTheyBuildAfterTheMove) {
  desktop.newFieldOnMove.insert(dialog);
  const WindowHandle old = Field(dialog);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav\\budget.xlsx", true), DeliveryOutcome::Delivered);
  EXPECT_NE(Field(dialog), old);
  EXPECT_EQ(desktop.text[Field(dialog)], L"budget.xlsx");
  EXPECT_TRUE(desktop.returned.empty());
}

// Above the file dialog: windows of the dialog class that must never get a key.
TEST_F(Delivery, OnlyAVisibleEnabledUncloakedDialogWithAFileNameFieldIsATarget) {
  enum Kind { Hidden, Disabled, Cloaked, FieldLess };
  const struct Case {
    Kind kind;
    DeliveryOutcome alone;  // when it is the only dialog-class window
  } cases[] = {{Hidden, DeliveryOutcome::NoDialog},
               {Disabled, DeliveryOutcome::Busy},
               {Cloaked, DeliveryOutcome::NoDialog},
               {FieldLess, DeliveryOutcome::NoDialog}};
  for (const auto& c : cases) {
    for (const bool withTarget : {true, false}) {
      World fresh;
      auto& d = fresh.desktop;
      if (!withTarget) fresh.tree.Destroy(fresh.dialog);
      const WindowHandle decoy = fresh.AddDialog(L"Run", kOpenSigns);
      if (c.kind == Hidden) d.hidden.insert(decoy);
      if (c.kind == Disabled) d.disabled.insert(decoy);
      if (c.kind == Cloaked) d.cloaked.insert(decoy);
      const WindowHandle decoyField = fresh.Field(decoy);
      if (c.kind == FieldLess) d.fileField.erase(decoy);  // a focused edit is no file name
      d.focus[decoy] = decoyField;
      const auto outcome = fresh.delivery.Deliver(d, L"C:\\fav\\", false);
      EXPECT_EQ(outcome, withTarget ? DeliveryOutcome::Delivered : c.alone) << c.kind;
      EXPECT_EQ(d.text[decoyField], L"Suggested.txt") << c.kind;
      EXPECT_EQ(d.movedTo.count(decoy), 0u) << c.kind;
      if (withTarget) {
        EXPECT_EQ(d.movedTo[fresh.dialog], L"C:\\fav\\") << c.kind;
      } else {
        EXPECT_TRUE(d.sent.empty()) << c.kind;
      }
    }
  }
}

// The hotkey's delivery: to the dialog that was in front, even below another one, or to none.
TEST_F(Delivery, ADeliveryForOneDialogGoesToItAloneOrNowhere) {
  const WindowHandle upper = AddDialog(L"Open", kOpenSigns);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav\\", false, dialog), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.movedTo[dialog], L"C:\\fav\\");
  desktop.disabled.insert(dialog);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav\\", false, dialog), DeliveryOutcome::Busy);
  tree.Destroy(dialog);
  desktop.sent.clear();
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav\\", false, dialog), DeliveryOutcome::NoDialog);
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_EQ(desktop.movedTo.count(upper), 0u);
}

// The tray's delivery: the dialogs found as the menu opened, or, when none of them is usable any
// more, those on the desktop at the click.
TEST_F(Delivery, TheMenusWalkServesTheClickUnlessItsDialogsHaveGone) {
  delivery.Prepare(desktop);
  const WindowHandle later = AddDialog(L"Open", kOpenSigns);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav\\", false), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.movedTo[dialog], L"C:\\fav\\");
  EXPECT_EQ(desktop.movedTo.count(later), 0u);
  delivery.Prepare(desktop);
  tree.Destroy(later);
  desktop.disabled.insert(dialog);
  const WindowHandle last = AddDialog(L"Save As", kSaveSigns);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav\\", false), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.movedTo[last], L"C:\\fav\\");
}

TEST_F(Delivery, NothingIsSentIntoAProgramWithHigherRights) {
  const struct Case {
    std::optional<std::uint32_t> ours, theirs;
    DeliveryOutcome outcome;
  } cases[] = {{0x2000, 0x3000, DeliveryOutcome::HigherRights},
               {0x2000, 0x2000, DeliveryOutcome::Delivered},
               {0x3000, 0x2000, DeliveryOutcome::Delivered},
               {std::nullopt, 0x3000, DeliveryOutcome::Delivered},
               {0x2000, std::nullopt, DeliveryOutcome::Delivered}};
  for (const auto& c : cases) {
    World fresh;
    fresh.desktop.ownIntegrity = c.ours;
    if (c.theirs) fresh.desktop.integrity[fresh.dialog] = *c.theirs;
    EXPECT_EQ(fresh.delivery.Deliver(fresh.desktop, L"C:\\fav", true), c.outcome);
    EXPECT_EQ(fresh.desktop.sent.empty(), c.outcome == DeliveryOutcome::HigherRights);
    EXPECT_EQ(fresh.desktop.clipboard, desktop.clipboard);
  }
}

TEST_F(Delivery, TheClipboardIsPutBackOrTheUserIsToldItHoldsThePath) {
  const auto before = desktop.clipboard;
  const struct Case {
    bool held, restoreFails, pasteIgnored, pasteTimesOut, slow;
    DeliveryOutcome outcome;
    bool moved, clipboardBack, pasted;
  } cases[] = {
      {true, false, false, false, false, DeliveryOutcome::NoClipboard, false, true, false},
      {false, false, true, false, false, DeliveryOutcome::NotTaken, false, true, true},
      {false, true, false, false, false, DeliveryOutcome::ClipboardLost, true, false, true},
      {false, true, true, false, false, DeliveryOutcome::ClipboardLost, false, false, true},
      // A paste that did not answer may run late: the path stays, never the user's text.
      {false, false, false, true, false, DeliveryOutcome::ClipboardLost, false, false, true},
      // An owner too slow to hand over its contents: typed, the clipboard untouched.
      {false, false, false, false, true, DeliveryOutcome::TypedInstead, true, true, false},
  };
  for (const auto& c : cases) {
    World fresh;
    auto& d = fresh.desktop;
    d.clipboardHeld = c.held;
    d.restoreFails = c.restoreFails;
    d.pasteIgnored = c.pasteIgnored;
    d.pasteTimesOut = c.pasteTimesOut;
    d.clipboardSlow = c.slow;
    EXPECT_EQ(fresh.delivery.Deliver(d, L"C:\\fav", true), c.outcome);
    EXPECT_EQ(d.movedTo.count(fresh.dialog) != 0, c.moved);
    EXPECT_EQ(d.clipboard == before, c.clipboardBack);
    EXPECT_EQ(!d.clipboardDuringPaste.empty(), c.pasted);
  }
  // Held modifiers: nothing is sent, nothing is pasted, the field and clipboard are as before.
  desktop.modifiersHeld = true;
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav", true), DeliveryOutcome::KeysHeld);
  EXPECT_TRUE(desktop.sent.empty() && desktop.clipboardDuringPaste.empty());
  EXPECT_EQ(desktop.clipboard, before);
  desktop.modifiersHeld = false;
  // An empty clipboard is empty again.
  desktop.clipboard.clear();
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\fav", true), DeliveryOutcome::Delivered);
  EXPECT_TRUE(desktop.clipboard.empty());
}

TEST_F(Delivery, TypingSendsThePathLiterallyAsCharactersThenEnter) {
  const std::wstring path = L"C:\\Program Files (x86)\\{x}+50%^~[1]\\\u00dcberall\\";
  desktop.paths[path] = PathKind::Folder;
  EXPECT_EQ(delivery.Deliver(desktop, path, false), DeliveryOutcome::Delivered);
  std::vector<KeyChord> typed;
  for (wchar_t c : path) typed.push_back({{}, NamedKey::None, c});
  EXPECT_EQ(desktop.sent, (Sent{typed, Keys(L"{ENTER}")}));
}

// Places in the shell's namespace cannot be checked as files; the dialog goes there as to a
// folder.
TEST_F(Delivery, ShellLocationsAreDeliveredAsFoldersWithoutAFileCheck) {
  for (const std::wstring path : {L"shell:Downloads", L"Shell:Desktop\\", L"::{20D04FE0}"}) {
    World fresh;
    const std::wstring folder = path.ends_with(L'\\') ? path : path + L'\\';
    fresh.desktop.paths[folder] = PathKind::Folder;  // the dialog knows it, the file system not
    EXPECT_EQ(fresh.delivery.Deliver(fresh.desktop, path, false), DeliveryOutcome::Delivered);
    EXPECT_EQ(fresh.Typed(), folder + L"~") << path;
    EXPECT_EQ(fresh.desktop.text[fresh.Field(fresh.dialog)], L"Suggested.txt") << path;
  }
}

// An empty item or a dialog that closes before activation gets nothing.
TEST_F(Delivery, NothingIsSentWithoutAPathOrAnActiveDialog) {
  EXPECT_EQ(delivery.Deliver(desktop, L"", false), DeliveryOutcome::NoPath);
  struct Vanishing : FakeDesktop {
    using FakeDesktop::FakeDesktop;
    WindowHandle Activate(WindowHandle) override { return 0; }
  } vanishing(tree);
  vanishing.fileField = desktop.fileField;
  vanishing.paths = desktop.paths;
  EXPECT_EQ(delivery.Deliver(vanishing, L"C:\\fav", false), DeliveryOutcome::NotActivated);
  EXPECT_TRUE(desktop.sent.empty() && vanishing.sent.empty());
}

TEST(DialogKind, ToldByStructureOrTheSystemsOwnWordsAndOpenOnlyOnEvidence) {
  const DialogWords german{{L"&\u00d6ffnen", L"Suchen &in:"},
                           {L"&Speichern", L"Speichern &in:", L"Speichern", L"Speichern als"},
                           {L"Ordner ausw\u00e4hlen"}};
  const DialogWords french{{L"&Ouvrir", L"Regarder &dans :"},
                           {L"&Enregistrer", L"Enregistrer &dans :"},
                           {L"S\u00e9lectionner un dossier"}};
  const struct Case {
    DialogSigns signs;
    DialogKind kind;
    const char* row;
  } cases[] = {
      {{true, false, L"", L""}, DialogKind::Save, "Windows' Save view"},
      {{.openStructure = true, .typeBox = true}, DialogKind::Open, "Windows' Open structure"},
      {{.openStructure = true, .okButton = L"&Save", .typeBox = true},
       DialogKind::Save,
       "Save text outweighs Open structure"},
      {{false, false, L"&Open", L"Look &in:"}, DialogKind::Open, "English Open"},
      {{false, false, L"&Save", L"Save &in:"}, DialogKind::Save, "English Save"},
      {{false, false, L"&Open", L"Save &in:"}, DialogKind::Save, "evidence against Open"},
      {{false, false, L"&\u00d6ffnen", L"Suchen &in:"}, DialogKind::Save, "German, no words"},
      {{false, false, L"&\u00d6ffnen", L"Suchen &in:", L"", false, german},
       DialogKind::Open,
       "German Open"},
      {{false, false, L"&Speichern", L"", L"", false, german}, DialogKind::Save, "German Save"},
      {{false, false, L"&Open", L"Look &in:", L"", false, german},
       DialogKind::Save,
       "English texts on a German system tell nothing"},
      {{false, false, L"Ouvrir", L"Regarder dans", L"", false, french},
       DialogKind::Open,
       "French Open"},
      {{false, false, L"&Enregistrer", L"", L"", false, french}, DialogKind::Save, "French Save"},
      {{false, false, L"&Open", L"", L"Select Folder"}, DialogKind::FolderPicker, "Wine's picker"},
      {{.openStructure = true, .okButton = L"Select Folder", .typeBox = true},
       DialogKind::FolderPicker,
       "picker words outweigh a type box"},
      {{false, false, L"&\u00d6ffnen", L"", L"Ordner ausw\u00e4hlen", false, german},
       DialogKind::FolderPicker,
       "German picker"},
      {{false, false, L"OK", L"", L"Browse", true}, DialogKind::BrowseForFolder, "Browse"},
      {{false, false, L"", L""}, DialogKind::Save, "unknown"},
      {{.saveStructure = true, .okButton = L"&Open", .folderLabel = L"Look &in:", .typeBox = true},
       DialogKind::Save,
       "Windows' Save: its name chain outweighs any words"},
      {{.openStructure = true, .okButton = L"Ordner ausw\u00e4hlen"},
       DialogKind::FolderPicker,
       "Windows' picker: no type box, words unknown"},
      {{.openStructure = true, .okButton = L"&Open", .typeBox = true},
       DialogKind::Open,
       "Windows' Open with its type box"},
  };
  for (const auto& c : cases) EXPECT_EQ(KindOf(c.signs), c.kind) << c.row;
}

// Dialogs that already show the folder, folder pickers, Browse for Folder and relative entries:
// what the dialog ends up showing and holding, and that none is confirmed for the user.
TEST(DeliveryTo, EveryDialogEndsAsPlannedAndPickersAreNeverConfirmed) {
  const DialogSigns picker{false, false, L"&Open", L"", L"Select Folder"};
  const DialogSigns browse{false, false, L"OK", L"", L"Browse", true};
  const struct Case {
    DialogSigns signs;
    std::optional<std::wstring> shows;  // the folder the dialog reports
    std::wstring path;
    std::wstring typed, field, selected;
    DeliveryOutcome outcome;
    const char* row;
  } cases[] = {
      {kSaveSigns, L"C:\\fav", L"C:\\fav", L"C:\\fav\\~", L"Suggested.txt", L"",
       DeliveryOutcome::Delivered, "already there: the earlier text back"},
      {kSaveSigns, L"C:\\fav", L"C:\\fav\\budget.xlsx", L"C:\\fav\\~", L"budget.xlsx", L"",
       DeliveryOutcome::Delivered, "already there: the file's name"},
      {kOpenSigns, L"C:\\fav", L"C:\\fav\\", L"C:\\fav\\~", L"Suggested.txt", L"",
       DeliveryOutcome::Delivered, "already there in Open"},
      {picker, std::nullopt, L"C:\\fav\\", L"C:\\fav", L"C:\\fav", L"", DeliveryOutcome::Delivered,
       "picker: the folder left in the field, no Enter"},
      {picker, std::nullopt, L"C:\\fav\\budget.xlsx", L"C:\\fav", L"C:\\fav", L"",
       DeliveryOutcome::Delivered, "picker: a file's folder"},
      {browse, std::nullopt, L"C:\\fav\\budget.xlsx", L"", L"Suggested.txt", L"C:\\fav",
       DeliveryOutcome::Delivered, "Browse: the tree selects the file's folder"},
      {browse, std::nullopt, L"fav", L"", L"Suggested.txt", L"", DeliveryOutcome::PathMissing,
       "Browse: a relative entry has no folder to be read against"},
      {kSaveSigns, L"C:\\work\\sub", L"..\\..\\fav\\budget.xlsx", L"C:\\fav\\~", L"budget.xlsx",
       L"", DeliveryOutcome::Delivered, "relative: read against the dialog's folder"},
      {kSaveSigns, L"C:\\work", L"fav", L"", L"Suggested.txt", L"", DeliveryOutcome::PathMissing,
       "relative: missing in the dialog's folder"},
      {kSaveSigns, std::nullopt, L"..\\fav", L"..\\fav", L"..\\fav", L"",
       DeliveryOutcome::Delivered, "relative, folder unreadable: typed as stored, no Enter"},
      {kOpenSigns, std::nullopt, L"docs", L"docs~", L"docs", L"", DeliveryOutcome::Delivered,
       "relative, folder unreadable: Open confirms what the user stored"},
  };
  for (const auto& c : cases) {
    World w;
    auto& d = w.desktop;
    d.signs[w.dialog] = c.signs;
    d.clearsOnMove.clear();  // like Wine's Vista-style dialogs: a stay changes nothing at all
    if (c.shows) d.shows[w.dialog] = *c.shows;
    if (c.signs.folderTree) {
      d.fileField.erase(w.dialog);
      d.folderTree[w.dialog] = w.tree.Add(w.dialog, L"", L"SysTreeView32", 14145);
    }
    const WindowHandle field = w.Field(w.dialog);
    EXPECT_EQ(w.delivery.Deliver(d, c.path, false), c.outcome) << c.row;
    EXPECT_EQ(w.Typed(), c.typed) << c.row;
    if (field) {
      EXPECT_EQ(d.text[field], c.field) << c.row;
    }
    EXPECT_EQ(d.treeSelected[w.dialog], c.selected) << c.row;
    EXPECT_TRUE(d.returned.empty()) << c.row;
  }
}

TEST(DeliveryTo, ATreeRootedElsewhereIsToldNotDeliveredAndItsItemsAreReadByName) {
  World w;
  w.desktop.signs[w.dialog] = {false, false, L"OK", L"", L"Browse", true};
  w.desktop.fileField.erase(w.dialog);
  w.desktop.folderTree[w.dialog] = w.tree.Add(w.dialog, L"", L"SysTreeView32", 14145);
  w.desktop.treeOutside = true;
  EXPECT_EQ(w.delivery.Deliver(w.desktop, L"C:\\fav\\", false), DeliveryOutcome::NotInTree);

  const struct {
    const wchar_t *item, *folder;
    bool names;
  } cases[] = {
      {L"alpha", L"C:\\x\\Alpha\\", true},    {L"alpha", L"C:\\alpha\\beta", false},
      {L"Local Disk (C:)", L"c:\\", true},    {L"C:\\", L"C:\\", true},
      {L"Local Disk (C:)", L"D:\\", false},   {L"", L"C:\\x", false},
      {L"share", L"\\\\server\\share", true},
  };
  for (const auto& c : cases) EXPECT_EQ(TreeItemNames(c.item, c.folder), c.names) << c.folder;
}

TEST(RelativePaths, AreReadAgainstTheFolderWithoutClimbingPastItsRoot) {
  const struct Case {
    std::wstring folder, relative, resolved;
  } cases[] = {
      {L"C:\\work\\sub", L"docs", L"C:\\work\\sub\\docs"},
      {L"C:\\work\\sub\\", L"..\\shared\\", L"C:\\work\\shared\\"},
      {L"C:\\work", L".\\a/./b", L"C:\\work\\a\\b"},
      {L"C:\\work", L"..\\..\\..", L"C:\\"},
      {L"\\\\server\\share\\x", L"..\\..\\y", L"\\\\server\\share\\y"},
  };
  for (const auto& c : cases) EXPECT_EQ(Resolved(c.folder, c.relative), c.resolved) << c.relative;
  for (const std::wstring path : {L"docs", L"..\\shared", L".\\x"}) EXPECT_TRUE(IsRelative(path));
  for (const std::wstring path :
       {L"C:\\x", L"C:x", L"\\\\server\\share", L"\\x", L"%USERPROFILE%\\x", L"shell:Downloads"}) {
    EXPECT_FALSE(IsRelative(path)) << path;
  }
}

TEST(DeliveryNotice, EveryFailureIsToldAndDeliveredPathsAreNot) {
  const std::wstring gone = L"C:\\gone";
  for (int o = 0; o <= static_cast<int>(DeliveryOutcome::Delivered); ++o) {
    const auto outcome = static_cast<DeliveryOutcome>(o);
    const auto notice = DeliveryNotice(outcome, gone);
    EXPECT_EQ(notice.has_value(), outcome != DeliveryOutcome::Delivered) << o;
  }
  EXPECT_NE(DeliveryNotice(DeliveryOutcome::PathMissing, gone)->find(L"\"C:\\gone\""),
            std::wstring::npos);
  const std::wstring deep = L"C:\\" + std::wstring(400, L'd') + L"\\last folder";
  const auto notice = *DeliveryNotice(DeliveryOutcome::PathMissing, deep);
  EXPECT_LE(notice.size(), kNoticeMaxLength);
  EXPECT_NE(notice.find(L"C:\\ddd"), std::wstring::npos);
  EXPECT_NE(notice.find(L"last folder\""), std::wstring::npos);
}

TEST(ModifierRelease, WaitsForTheReleaseAndGivesUpAtTheBound) {
  using std::chrono::milliseconds;
  const struct {
    int heldAsks;  // how many asks still find a modifier down
    bool released;
    milliseconds slept;
  } cases[] = {{0, true, milliseconds(0)},
               {3, true, milliseconds(30)},
               {200, true, milliseconds(2000)},  // let go on the last step inside the bound
               {201, false, milliseconds(2000)}};
  for (const auto& c : cases) {
    int asks = 0;
    milliseconds slept{0};
    EXPECT_EQ(WaitForRelease([&] { return asks++ < c.heldAsks; },
                             [&](milliseconds step) { slept += step; }),
              c.released);
    EXPECT_EQ(slept, c.slept) << c.heldAsks;
  }
}

}  // namespace
}  // namespace hop
