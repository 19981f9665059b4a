// Driving real dialogs from a test: pumping the interface thread's messages
// until something has happened, and answering modal dialogs and message boxes
// from a second thread while the interface thread sits in their modal loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace scramblo::testing {

// Dispatches this thread's messages (through the registered message filters
// and idle handlers, as the program's loop does) until `done` answers true or
// the timeout passes. Answers `done()`.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Dispatches whatever is queued now, and runs the idle handlers once.
void pumpPending();

// Polls `done` every 20 ms, without pumping, until it answers true or the
// timeout passes. Answers `done()`.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);

// The text of a window or control, also of another process.
std::string windowText(HWND window);

// The first visible dialog (message boxes included) of `thread` other than
// `except`, or none.
HWND findDialog(DWORD thread, HWND except = nullptr);

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
    // The dialog's caption and the texts of its static controls, joined by "|".
    const std::string& texts() const { return texts_; }

  private:
    std::atomic<bool> answered_{false};
    std::string texts_;
    std::thread thread_;
};

// Presses a dialog's button by its id, as a click does.
void pressButton(HWND dialog, int id);

// A fresh folder in the temporary directory, removed with all it holds.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    // Writes the file `name` in the folder; answers its full path.
    std::string write(const std::string& name, const std::string& bytes) const;

  private:
    std::string path_;
};

}  // namespace scramblo::testing
