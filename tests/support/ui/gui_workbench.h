#pragma once
// The whole main window for a test: document manager, frame, document and
// workbench view, built as the program builds them (without the start-up
// probe), shown, and torn down again with the frame's own close.
#include <memory>
#include <string>
#include <vector>

class wxDocManager;
class CMainFrame;
class CTarnwickDoc;
class CTarnwickView;

namespace wvtest {

class WorkbenchWindow {
public:
    WorkbenchWindow();
    ~WorkbenchWindow();
    WorkbenchWindow(const WorkbenchWindow&) = delete;
    WorkbenchWindow& operator=(const WorkbenchWindow&) = delete;

    CMainFrame* frame() const { return m_frame; }
    CTarnwickView* view() const { return m_view; }
    CTarnwickDoc* doc() const;

    // Closes the frame as the user would and waits until it is gone.
    // Returns false if it was still there after the timeout.
    bool Close();

    // Types into the keyword box and clicks Go through the event system.
    void TypeKeyword(const std::string& text);
    void ClickGo();
    void ClickSmartFind();
    std::string GoCaption() const;
    // Column texts of every row, top to bottom.
    std::vector<std::string> Column(int column) const;

private:
    std::unique_ptr<wxDocManager> m_manager;
    CMainFrame* m_frame = nullptr;
    CTarnwickView* m_view = nullptr;
    bool m_closed = false;
};

} // namespace wvtest
