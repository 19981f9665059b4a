// Driving real dialogs from a test: pumping the interface thread's messages
// until something has happened, and answering modal dialogs and message boxes
// from a second thread while the interface thread sits in their modal loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "temp_folder.h"
#include "toolkit/dialog.h"

// Rectangles compared and printed in test expectations; beside RECT, where
// the expectations look for them.
bool operator==(const RECT& a, const RECT& b);
std::ostream& operator<<(std::ostream& out, const RECT& rect);

namespace scramblo::testing {

using ui::windowText;

// Dispatches this thread's messages (through the registered message filters
// and idle handlers, as the program's loop does) until `done` answers true or
// the timeout passes. Answers `done()`.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Dispatches whatever is queued now, and runs the idle handlers once.
void pumpPending();

// The first visible dialog (message boxes included) of `thread` other than
// `except`, or none.
HWND findDialog(DWORD thread, HWND except = nullptr);

// For a second thread while the interface thread runs a modal loop: waits,
// without pumping, until `done` answers true or the timeout passes; answers `done()`.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Waits for a dialog of `thread` to appear, as findDialog finds it.
HWND waitForDialog(DWORD thread, HWND except = nullptr, DWORD timeoutMs = 10000);
bool waitUntilGone(HWND window, DWORD timeoutMs = 10000);

// The control that has the keyboard focus in `thread`, or none.
HWND focusOf(DWORD thread);

// A dialog's caption and the text of every static control, joined by "|":
// what a message box says.
std::string dialogTexts(HWND dialog);

// Waits on a second thread for a dialog of the current thread to appear
// (a message box, a modal dialog), records its texts, and hands it to
// `answer`, which runs on that second thread (SendMessage to the dialog's
// controls works there, the modal loop handles it).
class DialogAnswerer {
  public:
    using Answer = std::function<void(HWND dialog)>;

    explicit DialogAnswerer(Answer answer, HWND except = nullptr, DWORD timeoutMs = 10000);
    ~DialogAnswerer();

    bool answered() const { return answered_; }
    // Waits for the answering thread to end; answers answered().
    bool finish();
    // The dialog's texts, as dialogTexts gives them.
    const std::string& texts() const { return texts_; }

  private:
    std::atomic<bool> answered_{false};
    std::string texts_;
    std::thread thread_;
};

// Makes a folder (a UTF-8 path) the current one for as long as it lives.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& folder);
    ~CurrentFolder();
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::wstring previous_;
};

// Presses a dialog's button by its id, as a click does.
void pressButton(HWND dialog, int id);
// The same without waiting for the dialog to handle it: for a button that
// opens a modal dialog of its own.
void postButton(HWND dialog, int id);
// Posts a key's press and release to a control, as typing does.
void pressKey(HWND control, UINT key);
// Presses and releases a key on the keyboard, with a modifier such as
// VK_CONTROL held: real input, for the foreground window.
void pressRealKey(WORD key, WORD modifier = 0);

// The file-name box of the system's Open and Save dialogs.
constexpr int kFileNameBox = 0x47C;

// The tooltip window owned by `owner`, or none.
HWND findTooltip(HWND owner);

// Runs `open`, which shows a modal dialog of this thread, and calls `inside`
// with that dialog on this thread from within the dialog's own modal loop.
// A dialog that `inside` leaves open is then cancelled (IDCANCEL). Answers
// what `open` answers.
INT_PTR whileModal(const std::function<INT_PTR()>& open,
                   const std::function<void(HWND dialog)>& inside);

// A window's rectangle on the screen, and a control's in its parent's client area.
RECT screenRect(HWND window);
RECT placeInParent(HWND control);
// The width of an icon's or a cursor's image, in pixels.
int imageWidth(HICON image);
// Tells a window, as the system does, that its monitor has another DPI now,
// with a suggested rectangle that scales the window's size about its top left
// corner. Answers the suggested rectangle.
RECT sendDpiChange(HWND window, UINT dpi, UINT dpiBefore = USER_DEFAULT_SCREEN_DPI);

// A window's client area as it paints itself for WM_PRINT (background and
// client), pixel by pixel.
class Picture {
  public:
    explicit Picture(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    int count(COLORREF colour) const;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;
};

}  // namespace scramblo::testing
