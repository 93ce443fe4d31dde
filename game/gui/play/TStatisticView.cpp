#include "game/gui/play/TStatisticView.h"

#include "media/text/TTextLayout.h"
#include "platform/TPlatform.h"

namespace GUI {
namespace {

constexpr int32_t kStatisticBoxSize = 200;
// Lines aligned on the right from the top of the box, at a size that can be
// read over the play field.
constexpr int32_t kStatisticFontSize = 10;
constexpr int32_t kStatisticLayoutFlags = TTextLayout::kRightAlignLines;

}  // namespace

TStatisticView::TStatisticView()
    : mLayout(TTextLayout::Create("", kStatisticBoxSize, kStatisticBoxSize, kStatisticLayoutFlags,
                                  "fonts/palabi.mvec", kStatisticFontSize, TColor(1.0f, 1.0f, 1.0f, 1.0f))) {}

TStatisticView::~TStatisticView() { TTextLayout::Delete(mLayout); }

TString TStatisticView::FormatRecords(const std::deque<Record>& records) {
  TString text;
  for (const Record& record : records) {
    for (size_t entry = 0; entry < record.size(); ++entry) {
      text += TString::Format("C%d : M%02d\n", static_cast<int32_t>(entry + 1), record[entry]);
    }
    text += "--------------\n";
  }
  return text;
}

void TStatisticView::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform) return;
  const bool opened = !platform->IsIn2d() && platform->Begin2d();
  mLayout->SetText(FormatRecords(mRecords));
  mLayout->Draw(GetDrawRect(), 1.0f, 1.0f, 0.0f, TVec2(0, 0), 1.0f);
  if (opened) platform->End2d();
}

}  // namespace GUI
