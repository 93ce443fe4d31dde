#include "game/gui/screens/TStartScreenWindow.h"

#include "game/gui/screens/ScreenWindowParts.h"
#include "game/gui/screens/StartScreenEntry.h"
#include "media/texture/TTexture.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/kinds/TText.h"

namespace GUI {

namespace {

constexpr float kStartPageScale = 1.0f;

// The entry's text; the empty text when the file or the entry is missing.
TString StartScreenText(const TString& key) {
  TStringTable table;
  table.SetQuiet(true);
  if (!table.Load(TStartScreenEntry::kFileName)) {
    LogPrintf("Start screen: \"%s\" cannot be read", TStartScreenEntry::kFileName);
    return "";
  }
  const TString text = table.GetString(key);
  return text == TStringTable::kMissing ? TString("") : text;
}

}  // namespace

TClassId TStartScreenWindow::ClassId() { return reinterpret_cast<TClassId>(&TStartScreenWindow::Create); }

TStartScreenWindow* TStartScreenWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TStartScreenWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TStartScreenWindow::Create() { return std::make_unique<TStartScreenWindow>(); }

TStartScreenWindow::TStartScreenWindow() { BindToNewestWindow("SetCurrentLevelToStartScreen", this, &TStartScreenWindow::SetCurrentLevel); }

TStartScreenWindow::~TStartScreenWindow() = default;

bool TStartScreenWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

bool TStartScreenWindow::OnMouseDown(int32_t, int32_t) {
  if (!mImageMode) return true;
  ++mCurrentPage;
  if (mCurrentPage < mPages.size()) {
    ShowPage();
  } else if (TButton* next = TButton::Cast(FindInDialog(*this, "nextButton"))) {
    next->DoCommand();
  }
  return true;
}

void TStartScreenWindow::SetCurrentLevel(int32_t first, int32_t second) {
  const TStartScreenEntry entry = TStartScreenEntry::Read(StartScreenText(TStartScreenEntry::Key(first, second)));
  mPages.clear();
  mCurrentPage = 0;
  for (const TString& name : entry.pictures) {
    if (std::shared_ptr<TTexture> page = TTexture::Get(name, 0)) {
      mPages.push_back(std::move(page));
    } else {
      LogPrintf("Start screen: the page \"%s\" cannot be loaded and is left out", name.CStr());
    }
  }
  mImageMode = !mPages.empty();
  if (mImageMode) {
    ShowPage();
  } else if (TText* content = TText::Cast(FindInDialog(*this, "ContentText"))) {
    content->SetLabel(entry.text);
  }
}

void TStartScreenWindow::ShowPage() {
  TWindow* background = FindInDialog(*this, "background");
  if (!background || !background->IsKindOf(TImage::ClassId())) return;
  static_cast<TImage*>(background)->SetTexture(mPages[mCurrentPage], nullptr, kStartPageScale);
}

}  // namespace GUI
