// The modal Options dialog (template 201). The caller fills the settings,
// runs the dialog and, when it answers IDOK, reads them back. The dialog
// shows every setting but the search's repeatEntries and the choice of view,
// which it leaves as they are. OK takes only a lexicon path that names a file
// the load can open; for any other it says so and stays open with the path
// box focused.
#pragma once

#include "settings/settings_store.h"
#include "toolkit/dialog.h"
#include "toolkit/program_icon.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

class OptionsDialog : public Dialog {
  public:
    // Answers IDOK or IDCANCEL (Cancel, Escape and the close box).
    INT_PTR run(HWND owner);

    UserSettings settings;

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
    HWND bestShownSpinner_ = nullptr;
    HWND breadthFirstButton_ = nullptr;
    HWND lexiconPathEdit_ = nullptr;
    UniqueIcon icon_;
};

}  // namespace scramblo::ui
