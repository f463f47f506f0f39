#include "delivery/path_delivery.h"

#include <gtest/gtest.h>

#include "fake_desktop.h"

namespace hop {
namespace {

using testing::FakeDesktop;
using testing::FakeWindowTree;
using Sent = std::vector<std::vector<KeyChord>>;
constexpr WindowHandle kDesktop = FakeWindowTree::kDesktop;

std::vector<KeyChord> Keys(std::wstring_view keyString) {
  return *ParseKeyString(keyString);
}

// An application window with a document, and a classic Open dialog above it whose file-name
// field holds an earlier name and has the focus on a list view.
class Delivery : public ::testing::Test {
 protected:
  Delivery() {
    app = tree.Add(kDesktop, L"Notes", L"NotesMain");
    document = tree.Add(app, L"", L"Edit", 15);
    desktop.text[document] = L"document";
    desktop.focus[app] = document;
    desktop.behind = app;
    dialog = AddDialog(L"Open");
  }

  WindowHandle AddDialog(const wchar_t* title) {
    const WindowHandle d = tree.Add(kDesktop, title, L"#32770");
    const WindowHandle list = tree.Add(d, L"", L"SysListView32", 1);
    const WindowHandle field = tree.Add(d, L"", L"Edit", 1148);
    // A later dialog is higher in the Z-order: move it to the front of the desktop's children.
    auto& top = tree[kDesktop].children;
    std::rotate(top.begin(), top.end() - 1, top.end());
    desktop.text[field] = L"old.txt";
    desktop.fileField[d] = field;
    desktop.altN[d] = true;
    desktop.focus[d] = list;
    return d;
  }
  WindowHandle Field(WindowHandle d) { return desktop.fileField[d]; }

  FakeWindowTree tree;
  FakeDesktop desktop{tree};
  PathDelivery delivery{tree};
  WindowHandle app = 0, document = 0, dialog = 0;
};

TEST_F(Delivery, TypingSendsAltNThePathLiterallyThenEnterAndBackspace) {
  const std::wstring path = L"C:\\Program Files (x86)\\{x}+50%^~[1]\\\u00dcberall\\";
  EXPECT_EQ(delivery.Deliver(desktop, path, false), DeliveryOutcome::Delivered);
  std::vector<KeyChord> typed;
  for (wchar_t c : path) typed.push_back({{}, NamedKey::None, c});
  EXPECT_EQ(desktop.sent, (Sent{Keys(L"%n"), typed, Keys(L"{ENTER}"), Keys(L"{BS}")}));
  EXPECT_EQ(desktop.foreground, dialog);
  EXPECT_EQ(desktop.pointer, (std::vector<bool>{true, false}));
  EXPECT_EQ(desktop.restores, 0);
  EXPECT_EQ(desktop.text[document], L"document");
}

TEST_F(Delivery, ClipboardModePastesAndPutsEveryFormatBack) {
  const auto before = desktop.clipboard;
  EXPECT_EQ(delivery.Deliver(desktop, L"D:\\R&D\\", true), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.sent, (Sent{Keys(L"%n"), Keys(L"^v"), Keys(L"{ENTER}"), Keys(L"{BS}")}));
  ASSERT_EQ(desktop.clipboardDuringPaste.size(), 1u);
  EXPECT_EQ(desktop.clipboardDuringPaste[0],
            (FakeDesktop::Clipboard{{FakeDesktop::kUnicodeText, "D:\\R&D\\"}}));
  EXPECT_EQ(desktop.clipboard, before);
  EXPECT_EQ(desktop.restores, 1);
}

TEST_F(Delivery, AnEmptyClipboardIsEmptyAgain) {
  desktop.clipboard.clear();
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", true), DeliveryOutcome::Delivered);
  EXPECT_TRUE(desktop.clipboard.empty());
}

TEST_F(Delivery, ThePathReplacesTheFieldsOldTextEvenWithoutTheMnemonic) {
  desktop.altN[dialog] = false;  // a dialog where Alt+N leads nowhere
  desktop.enterCloses = false;
  desktop.pasteIgnored = false;
  // Stop Enter from clearing so the field's content after the path can be seen.
  struct NoEnter : FakeDesktop {
    using FakeDesktop::FakeDesktop;
    bool SendKeys(std::span<const KeyChord> keys) override {
      if (keys.size() == 1 && keys[0].key == NamedKey::Enter) return true;
      return FakeDesktop::SendKeys(keys);
    }
  };
  NoEnter quiet(tree);
  quiet.text = desktop.text;
  quiet.fileField = desktop.fileField;
  quiet.focus = desktop.focus;
  EXPECT_EQ(delivery.Deliver(quiet, L"C:\\t\\", false), DeliveryOutcome::Delivered);
  EXPECT_EQ(quiet.focus[dialog], Field(dialog));
  EXPECT_EQ(quiet.text[Field(dialog)], L"C:\\t");  // the old name replaced, then Backspace
}

TEST_F(Delivery, TheTopmostDialogGetsThePath) {
  const WindowHandle second = AddDialog(L"Open");  // same title, higher in the Z-order
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\a\\", false), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.foreground, second);
  EXPECT_EQ(desktop.text[Field(dialog)], L"old.txt");
  EXPECT_EQ(delivery.FoundWindows, (std::vector<WindowHandle>{0, second, dialog}));
}

TEST_F(Delivery, NestedDialogActivatesItsTopLevelWindow) {
  tree.Destroy(dialog);
  const WindowHandle host = tree.Add(kDesktop, L"Host", L"HostFrame");
  const WindowHandle inner = tree.Add(host, L"Pick", L"#32770");
  const WindowHandle field = tree.Add(inner, L"", L"Edit", 1152);
  desktop.fileField[host] = field;
  desktop.focus[host] = field;
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\n\\", true), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.foreground, host);
  EXPECT_EQ(delivery.FoundWindows[1], inner);
}

TEST_F(Delivery, NothingIsSentWhenNoDialogOrActivationOrFocusFails) {
  const auto before = desktop.clipboard;
  auto expectUntouched = [&](DeliveryOutcome want, bool clipboardMode) {
    desktop.sent.clear();
    desktop.pointer.clear();
    EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", clipboardMode), want);
    EXPECT_TRUE(desktop.sent.empty() || desktop.sent == Sent{Keys(L"%n")});
    EXPECT_EQ(desktop.clipboard, before);
    EXPECT_EQ(desktop.restores, 0);
    EXPECT_EQ(desktop.text[document], L"document");
    EXPECT_EQ(desktop.pointer, (std::vector<bool>{true, false}));
  };
  desktop.activationRefused = true;
  expectUntouched(DeliveryOutcome::NotActivated, true);
  EXPECT_TRUE(desktop.sent.empty());
  desktop.activationRefused = false;

  const WindowHandle field = Field(dialog);
  desktop.fileField.erase(dialog);  // unknown dialog, focus on a list view
  expectUntouched(DeliveryOutcome::NoField, true);
  EXPECT_EQ(desktop.text[field], L"old.txt");

  tree[dialog].title.clear();  // an untitled dialog is not a target
  expectUntouched(DeliveryOutcome::NoDialog, false);
  EXPECT_TRUE(desktop.sent.empty());
  EXPECT_EQ(delivery.FoundWindows, (std::vector<WindowHandle>{0}));
}

// A message box is a titled dialog-class window too; in "Save changes? Yes / No" Alt+N is the
// No button, which would throw the user's work away.
TEST_F(Delivery, AMessageBoxInFrontGetsNoKeysAtAll) {
  const WindowHandle box = AddDialog(L"Notes");
  const WindowHandle yes = tree.Add(box, L"&Yes", L"Button", 6);
  const WindowHandle no = tree.Add(box, L"&No", L"Button", 7);
  desktop.fileField.erase(box);
  desktop.altN[box] = false;
  desktop.altNButton[box] = no;
  desktop.focus[box] = yes;
  for (bool clipboardMode : {false, true}) {
    const auto before = desktop.clipboard;
    EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", clipboardMode), DeliveryOutcome::NoField);
    EXPECT_TRUE(desktop.sent.empty());
    EXPECT_TRUE(desktop.pressed.empty());
    EXPECT_EQ(desktop.clipboard, before);
  }
  // A dialog of unknown make whose text field has the focus still gets the path.
  const WindowHandle name = tree.Add(box, L"", L"Edit", 1000);
  desktop.text[name] = L"";
  desktop.focus[box] = name;
  desktop.altNButton.erase(box);
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", false), DeliveryOutcome::Delivered);
}

// A path item can be empty (a stored count with a path missing). Enter on an empty file-name
// field would open whatever the dialog has selected, so an empty path is never delivered.
TEST_F(Delivery, AnEmptyPathSendsNothing) {
  for (bool clipboardMode : {false, true}) {
    const auto before = desktop.clipboard;
    EXPECT_EQ(delivery.Deliver(desktop, L"", clipboardMode), DeliveryOutcome::NoPath);
    EXPECT_TRUE(desktop.sent.empty());
    EXPECT_EQ(desktop.clipboard, before);
    EXPECT_EQ(desktop.text[Field(dialog)], L"old.txt");
    EXPECT_EQ(desktop.pointer, (std::vector<bool>{true, false}));
    desktop.pointer.clear();
  }
}

TEST_F(Delivery, ADialogClosedBeforeActivationGetsNothing) {
  struct Closing : FakeDesktop {
    using FakeDesktop::FakeDesktop;
    FakeWindowTree* windows = nullptr;
    WindowHandle Activate(WindowHandle window) override {
      windows->Destroy(window);  // closes between the search and the activation
      return FakeDesktop::Activate(window);
    }
  };
  Closing closing(tree);
  closing.windows = &tree;
  closing.foreground = app;
  closing.focus[app] = document;
  closing.text[document] = L"document";
  EXPECT_EQ(delivery.Deliver(closing, L"C:\\x\\", false), DeliveryOutcome::NotActivated);
  EXPECT_TRUE(closing.sent.empty());
  EXPECT_EQ(closing.text[document], L"document");
}

TEST_F(Delivery, ClipboardIsPutBackWhenThePasteIsNotTakenAndEnterIsNotPressed) {
  const auto before = desktop.clipboard;
  desktop.pasteIgnored = true;
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", true), DeliveryOutcome::NotTaken);
  EXPECT_EQ(desktop.sent, (Sent{Keys(L"%n"), Keys(L"^v")}));
  EXPECT_EQ(desktop.clipboard, before);
  EXPECT_EQ(desktop.restores, 1);
}

TEST_F(Delivery, ALockedClipboardMeansNoPaste) {
  desktop.clipboardLocked = true;
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\x\\", true), DeliveryOutcome::NoClipboard);
  EXPECT_EQ(desktop.sent, (Sent{Keys(L"%n")}));
  EXPECT_EQ(desktop.restores, 0);
}

TEST_F(Delivery, BackspaceNeverReachesTheApplicationWhenEnterChoseAFile) {
  desktop.enterCloses = true;
  EXPECT_EQ(delivery.Deliver(desktop, L"C:\\file.txt", false), DeliveryOutcome::Delivered);
  EXPECT_EQ(desktop.foreground, app);
  EXPECT_EQ(desktop.text[document], L"document");
  EXPECT_EQ(desktop.sent.back(), Keys(L"{ENTER}"));
}

}  // namespace
}  // namespace hop
