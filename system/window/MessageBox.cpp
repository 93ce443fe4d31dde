#include "system/window/MessageBox.h"

#include "system/os/LayerLog.h"
#include "system/window/CodePage1252.h"
#include "system/window/SdlWindow.h"
#include "system/window/Window.h"

namespace sys {

void ShowMessageBox(const std::string& title, const std::string& text, MessageBoxIcon icon, Window* owner) {
  std::string titleUtf8 = Utf8FromCp1252(title);
  std::string textUtf8 = Utf8FromCp1252(text);
  bool shown = owner ? owner->Native().ShowMessageBox(titleUtf8, textUtf8, icon)
                     : ShowSdlMessageBox(nullptr, titleUtf8, textUtf8, icon);
  if (!shown) WriteLog("Message box \"%s\": %s", title.c_str(), text.c_str());
}

}  // namespace sys
