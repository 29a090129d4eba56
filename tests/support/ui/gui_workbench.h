#pragma once
// The whole main window for a test: document manager, frame, document and
// workbench view, built as the program builds them (without the start-up
// probe), shown, and torn down again with the frame's own close.
#include <memory>
#include <string>
#include <vector>

class wxDocManager;
namespace wv {
class CMainFrame;
class CTarnwickDoc;
class CTarnwickView;
}  // namespace wv

namespace wvtest {

class WorkbenchWindow {
public:
    WorkbenchWindow();
    ~WorkbenchWindow();
    WorkbenchWindow(const WorkbenchWindow&) = delete;
    WorkbenchWindow& operator=(const WorkbenchWindow&) = delete;

    wv::CMainFrame* frame() const { return m_frame; }
    wv::CTarnwickView* view() const { return m_view; }
    wv::CTarnwickDoc* doc() const;

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
    wv::CMainFrame* m_frame = nullptr;
    wv::CTarnwickView* m_view = nullptr;
    bool m_closed = false;
};

}  // namespace wvtest
