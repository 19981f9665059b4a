#include "main/main_window_frame.h"

#include "main_dialog_ids.h"
#include "options/window_placement_store.h"
#include "platform/platform_win32.h"
#include "toolkit/dpi.h"
#include "toolkit/program_icon.h"

namespace scramblo::ui {

void MainWindowFrame::attach() {
    anchorControls();
    attachSplitter();
    // The tabs paint the whole of their inside, where the results boxes lie:
    // below the boxes they leave them be (they clip their siblings), above
    // them they would paint over them.
    SetWindowPos(window_.item(IDC_MAIN_VIEW), window_.item(IDE_MAIN_BEST), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!restorePlace()) window_.centerOver(nullptr);
    noteNormalPlace();
    showIcons();
}

void MainWindowFrame::anchorControls() {
    ControlLayout& layout = window_.layout();
    constexpr unsigned kStretches = ControlLayout::kRightEdge | ControlLayout::kBottomEdge;
    // The boxes of the top rows grow to the right, the word list down, and
    // the results, over their tabs, both ways.
    for (int id : {IDE_MAIN_PHRASE, IDT_MAIN_LETTERS_LEFT})
        layout.anchor(window_.item(id), ControlLayout::kStretchesRight);
    layout.anchor(window_.item(IDE_MAIN_EXCLUDE), ControlLayout::kStretchesRight);
    layout.anchor(window_.item(IDC_MAIN_WORDS), ControlLayout::kBottomEdge);
    for (int id : {IDC_MAIN_VIEW, IDE_MAIN_RESULTS, IDE_MAIN_BEST})
        layout.anchor(window_.item(id), kStretches);
    layout.anchor(window_.item(IDP_MAIN_PROGRESS),
                  ControlLayout::kRightEdge | ControlLayout::kTopEdge | ControlLayout::kBottomEdge);
    // The column beside the results: the buttons, and the two displays in their box.
    RECT resultsPlace;
    GetWindowRect(window_.item(IDC_MAIN_VIEW), &resultsPlace);
    for (HWND child = GetWindow(window_.window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        if (place.left >= resultsPlace.right) layout.anchor(child, ControlLayout::kMovesRight);
    }
}

void MainWindowFrame::attachSplitter() {
    // The word list and its label on the left, the results over their tabs on the right.
    HWND words = window_.item(IDC_MAIN_WORDS);
    ControlLayout& layout = window_.layout();
    for (HWND left : {words, GetWindow(words, GW_HWNDPREV)})
        layout.followSplit(left, ControlLayout::kRightEdge);
    for (int id : {IDC_MAIN_VIEW, IDE_MAIN_RESULTS, IDE_MAIN_BEST})
        layout.followSplit(window_.item(id), ControlLayout::kLeftEdge);
    splitter_.attach(words, window_.item(IDC_MAIN_VIEW));
}

bool MainWindowFrame::restorePlace() {
    std::optional<WindowPlacement> stored = readWindowPlacement();
    if (!stored) return false;
    const RECT& normal = stored->normal;
    // Only where the user can take hold of its caption, on a monitor there now.
    RECT caption{normal.left, normal.top, normal.right,
                 normal.top + systemMetricForDpi(SM_CYCAPTION, stored->dpi)};
    HMONITOR monitor = MonitorFromRect(&caption, MONITOR_DEFAULTTONULL);
    if (monitor == nullptr) return false;
    UINT dpi = dpiOfMonitor(monitor);
    int width = scaleToDpi(normal.right - normal.left, dpi, stored->dpi);
    int height = scaleToDpi(normal.bottom - normal.top, dpi, stored->dpi);
    auto place = [&] {
        SetWindowPos(window_.window(), nullptr, normal.left, normal.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    UINT dpiBefore = window_.dpi();
    place();
    // Moved onto a monitor of another DPI, the window took the size that the
    // system suggested for it on the way.
    if (window_.dpi() != dpiBefore) place();
    if (stored->wordsWidth > 0)
        splitter_.setLeftWidth(scaleToDpi(stored->wordsWidth, window_.dpi(), stored->dpi));
    openMaximised_ = stored->maximised;
    return true;
}

int MainWindowFrame::firstShowState(int requested) const {
    bool asUsual =
        requested == SW_SHOWNORMAL || requested == SW_SHOW || requested == SW_SHOWDEFAULT;
    return openMaximised_ && asUsual ? SW_SHOWMAXIMIZED : requested;
}

void MainWindowFrame::follow(UINT message) {
    switch (message) {
        case WM_WINDOWPOSCHANGED:
            noteNormalPlace();
            break;
        case WM_ENTERSIZEMOVE:
            // The system's loop for the drag takes the mouse only once no
            // notification waits.
            platform::boundNotificationsInFlight(window_.window(),
                                                 platform::kNotificationsInFlightWhileDragged);
            break;
        case WM_EXITSIZEMOVE:
            platform::boundNotificationsInFlight(window_.window(),
                                                 platform::kNotificationsInFlight);
            break;
        default:
            break;
    }
}

void MainWindowFrame::noteNormalPlace() {
    HWND window = window_.window();
    if (IsIconic(window) || IsZoomed(window)) return;
    GetWindowRect(window, &normal_);
    normalDpi_ = window_.dpi();
}

void MainWindowFrame::save() const {
    HWND window = window_.window();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    bool maximised =
        IsZoomed(window) || (IsIconic(window) && GetWindowPlacement(window, &placement) &&
                             (placement.flags & WPF_RESTORETOMAXIMIZED));
    writeWindowPlacement({normal_, normalDpi_, maximised,
                          scaleToDpi(splitter_.leftWidth(), normalDpi_, window_.dpi())});
}

void MainWindowFrame::showIcons() {
    HWND window = window_.window();
    UniqueIcon bigIcon = loadProgramIcon(SM_CXICON, window_.dpi());
    UniqueIcon smallIcon = loadProgramIcon(SM_CXSMICON, window_.dpi());
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    // The window shows the new ones now.
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
}

}  // namespace scramblo::ui
