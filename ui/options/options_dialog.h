// The modal Options dialog (template 201). The caller fills the value fields,
// runs the dialog and, when it answers IDOK, reads them back.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/dialog.h"
#include "toolkit/program_icon.h"
#include "toolkit/win32_handles.h"

namespace scramblo::ui {

class OptionsDialog : public Dialog {
  public:
    // Answers IDOK or IDCANCEL (Cancel, Escape and the close box).
    INT_PTR run(HWND owner);

    uint32_t maxAnagramCount = 0;
    uint32_t minWordLength = 3;
    uint32_t maxWordCount = 0;
    bool breadthFirst = true;
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
