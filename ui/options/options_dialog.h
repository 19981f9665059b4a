// The modal Options dialog (template 201). The caller fills the value fields,
// runs the dialog and, when it answers IDOK, reads them back. The dialog
// shows every search setting but repeatEntries, which it leaves as it is. OK
// takes only a lexicon path that names a file the load can open; for any
// other it says so and stays open with the path box focused.
#pragma once

#include <cstdint>
#include <string>

#include "search/search_settings.h"
#include "toolkit/dialog.h"
#include "toolkit/program_icon.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

class OptionsDialog : public Dialog {
  public:
    // Answers IDOK or IDCANCEL (Cancel, Escape and the close box).
    INT_PTR run(HWND owner);

    SearchSettings settings;
    std::string lexiconPath;

  protected:
    bool onInitDialog() override;
    bool onCommand(int id, int notifyCode, HWND control) override;
    void onDpiChanged(UINT dpi) override { showProgramIcon(window(), dpi, icon_); }

  private:
    void accept();
    void browse();

    HWND minWordLengthSpinner_ = nullptr;
    HWND maxWordCountSpinner_ = nullptr;
    HWND maxAnagramCountSpinner_ = nullptr;
    HWND breadthFirstButton_ = nullptr;
    HWND lexiconPathEdit_ = nullptr;
    UniqueIcon icon_;
};

}  // namespace scramblo::ui
