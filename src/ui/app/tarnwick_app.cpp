#include "ui/app/tarnwick_app.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <system_error>
#include <thread>

#include <gtk/gtk.h>
#include <wx/dialog.h>
#include <wx/docview.h>
#include <wx/evtloop.h>
#include <wx/fileconf.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/timer.h>

#include "core/app/vendor_config.h"
#include "core/marshal/ui_marshal.h"
#include "platform/connectivity_probe.h"
#include "platform/internet_session.h"
#include "platform/settings_config.h"
#include "ui/app/about_dlg.h"
#include "ui/app/main_frame.h"
#include "ui/services/app_message_box.h"
#include "ui/services/app_services.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"

namespace wv {

CTarnwickApp& TheApp() { return *static_cast<CTarnwickApp*>(wxTheApp); }

namespace {

// The loop that runs when no dialog is up: the application's main loop, the
// start-up probe's loop while it runs, or the loop that was running when the
// termination handler was installed (a test's).
wxEventLoopBase* g_baseLoop = nullptr;

// Takes the main window's close requests while the start-up probe runs.
class ProbeCloseGuard : public wxEvtHandler {
public:
    explicit ProbeCloseGuard(std::function<void()> onClose) : m_onClose(std::move(onClose)) {
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { m_onClose(); });
    }

private:
    std::function<void()> m_onClose;
};

const char kStartFailure[] =
    "Error - There is either no internet connection or the Tarnwick server is temporarily down "
    "(Please wait and try again later).";

// The document manager with a most-recently-used list of a chosen length.
class WorkbenchDocManager : public wxDocManager {
public:
    explicit WorkbenchDocManager(unsigned maxFiles) : wxDocManager(0, false), m_maxFiles(maxFiles) { Initialize(); }
    wxFileHistory* OnCreateFileHistory() override { return new wxFileHistory(m_maxFiles); }

private:
    unsigned m_maxFiles;
};

// The folder File > Export List... wrote to last.
constexpr char kExportFolderKey[] = "Export/LastFolder";

// Makes the workbench view with what it needs instead of a bare default: wx
// makes a template's views without arguments.
class WorkbenchTemplate : public wxDocTemplate {
public:
    WorkbenchTemplate(wxDocManager* manager, WorkbenchContext context)
        : wxDocTemplate(manager, "Wordvane", "*.*", "", "", "CTarnwickDoc", "CTarnwickView", CLASSINFO(CTarnwickDoc),
                        CLASSINFO(CTarnwickView)),
          m_context(std::move(context)) {}

protected:
    wxView* DoCreateView() override { return new CTarnwickView(m_context); }

private:
    const WorkbenchContext m_context;
};

// The settings folder: the vendor key under the user's configuration folder.
wxString SettingsFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    wxString base = (xdg && *xdg == '/') ? wxString(xdg) : wxString(home ? home : ".") + "/.config";
    return base + "/" + wxTheApp->GetVendorName();
}

}  // namespace

CTarnwickApp::CTarnwickApp() : m_strHomePage(wv::GetVendorConfig().homePage) {
    // Before any thread exists.
    wv::InitInternet();
    Bind(wxEVT_MENU, &CTarnwickApp::OnAppAbout, this, wxID_ABOUT);
}

CTarnwickApp::~CTarnwickApp() = default;

void CTarnwickApp::SetRegistryKey() {
    SetVendorName("Local AppWizard-Generated Applications");
    SetAppName("Wordvane");
}

void CTarnwickApp::LoadStdProfileSettings(unsigned maxFiles) {
    wxFileName file(SettingsFolder(), GetAppName() + ".conf");
    const wxCharBuffer path = file.GetFullPath().fn_str();
    m_config = SettingsConfig::Open(path.data() ? path.data() : "");
    m_docManager = std::make_unique<WorkbenchDocManager>(maxFiles);
    m_docManager->FileHistoryLoad(*m_config);
    m_variantSettings = ReadVariantSettings([this](const char* key) -> std::optional<std::string> {
        wxString value;
        if (!m_config->Read(key, &value)) return std::nullopt;
        return std::string(value.utf8_str());
    });
    wxString folder;
    m_exportFolder = m_config->Read(kExportFolderKey, &folder) ? folder.utf8_string() : std::string();
}

void CTarnwickApp::SaveStdProfileSettings() {
    if (!m_config || !m_docManager) return;
    m_docManager->FileHistorySave(*m_config);
    WriteVariantSettings(m_variantSettings, [this](const char* key, const std::string& value) {
        m_config->Write(key, wxString::FromUTF8(value));
    });
    if (!m_exportFolder.empty()) m_config->Write(kExportFolderKey, wxString::FromUTF8(m_exportFolder));
    m_config->Flush();
}

CMainFrame* CTarnwickApp::CreateMainWindow(wxDocManager* manager) {
    CTarnwickApp& app = TheApp();
    const VendorConfig& vendor = GetVendorConfig();
    WorkbenchContext context;
    context.homePage = app.GetHomePage();
    context.searchHost = vendor.searchHost;
    context.storePage = vendor.storePage;
    context.secondSite = vendor.secondSite;
    context.variantSettings = &app.m_variantSettings;
    context.exportFolder = &app.m_exportFolder;
    context.services = &Services();
    new WorkbenchTemplate(manager, std::move(context));
    manager->SetMaxDocsOpen(1);
    // The manager would make a second document; the application keeps one.
    manager->Bind(wxEVT_MENU, &CTarnwickApp::OnFileNew, &app, wxID_NEW);
    manager->Bind(wxEVT_MENU, &CTarnwickApp::OnFileOpen, &app, wxID_OPEN);

    auto* frame = new CMainFrame;
    if (!frame->Create(manager, nullptr, wxID_ANY, "Wordvane")) {
        frame->Destroy();
        return nullptr;
    }
    // The view finds its frame as the top window when it is created.
    wxTheApp->SetTopWindow(frame);
    wxDocument* doc = manager->CreateNewDocument();
    auto* view = doc ? wxDynamicCast(doc->GetFirstView(), CTarnwickView) : nullptr;
    if (!view) {
        DestroyMainWindow(frame);
        return nullptr;
    }
    view->OnInitialUpdate();
    return frame;
}

void CTarnwickApp::DestroyMainWindow(CMainFrame* frame) {
    if (!frame) return;
    // Closing runs the manager's document close: the view stops and joins
    // its threads and takes its form down before the frame goes.
    if (!frame->Close(true)) frame->Destroy();
    if (wxTheApp && wxTheApp->GetTopWindow() == frame) wxTheApp->SetTopWindow(nullptr);
}

bool CTarnwickApp::OnInit() {
    SetRegistryKey();
    LoadStdProfileSettings(4);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
    wv::InstallUiPoster(&Services().Poster());

    auto endStart = [this](CMainFrame* frame) {
        // Nothing the start created may outlive it: the view's threads are
        // joined when its document closes (no launch can have happened yet).
        DestroyMainWindow(frame);
        wv::InstallUiPoster(nullptr);
        return false;
    };

    CMainFrame* frame = CreateMainWindow(m_docManager.get());
    if (!frame) return endStart(nullptr);

    // The standard command line: a document named on it is opened.
    if (argc > 1 && !argv[1].StartsWith("-")) {
        const wxString path = argv[1];
        CTarnwickDoc* doc = WorkbenchDocument();
        if (!wxFileName::IsFileReadable(path) || !doc || !doc->OnOpenDocument(path)) {
            wv::AppMessageBox("Failed to open document.", wxOK);
            return endStart(frame);
        }
        m_docManager->AddFileToHistory(path);
        if (CTarnwickView* view = WorkbenchView()) view->OnInitialUpdate();
    }

    // The window shows while the probe runs, so a slow vendor never leaves
    // the user looking at nothing; it takes no input until the probe passes.
    SetTopWindow(frame);
    frame->Show();
    frame->Update();
    InstallTerminationHandler();
    switch (ProbeWithWindowShown(frame)) {
    case ProbeEnd::Passed: return true;
    case ProbeEnd::Failed:
        frame->Hide();
        wv::AppMessageBox(kStartFailure, wxOK | wxSTAY_ON_TOP);
        return endStart(frame);
    case ProbeEnd::WindowClosed: break;
    }
    return endStart(frame);
}

CTarnwickApp::ProbeEnd CTarnwickApp::ProbeWithWindowShown(CMainFrame* frame) {
    InternetOptions options;
    options.stop = std::make_shared<TransferStop>();
    const std::chrono::milliseconds deadline = Services().ProbeDeadline();
    std::atomic<bool> done{false};
    bool passed = false, closed = false;

    wxEventLoop loop;
    // Closing the window (or SIGTERM, which closes it) ends the probe and
    // the start; the frame itself goes with the rest of the start.
    ProbeCloseGuard guard([&] {
        closed = true;
        options.stop->Trigger();
        loop.Exit();
    });
    frame->PushEventHandler(&guard);
    frame->Enable(false);
    // The loop is polled rather than woken by the worker: a wake-up queued
    // after the loop ended would reach a loop that no longer exists.
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (done.load()) loop.Exit();
    });
    poll.Start(25);

    std::thread probe;
    try {
        probe = std::thread([&, home = m_strHomePage] {
            passed = wv::RunConnectivityProbe(home, options, deadline);
            done.store(true);
        });
    } catch (const std::system_error&) {
        // No thread, no probe: the start fails as an unreachable vendor does.
        frame->PopEventHandler(false);
        frame->Enable(true);
        return ProbeEnd::Failed;
    }
    wxEventLoopBase* outer = g_baseLoop;
    g_baseLoop = &loop;
    loop.Run();
    g_baseLoop = outer;
    poll.Stop();
    options.stop->Trigger();
    probe.join();
    frame->PopEventHandler(false);
    frame->Enable(true);
    if (closed) return ProbeEnd::WindowClosed;
    return passed ? ProbeEnd::Passed : ProbeEnd::Failed;
}

int CTarnwickApp::CancelShownDialogs() {
    int shown = 0;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = wxDynamicCast(window, wxDialog); dialog && dialog->IsModal()) {
            ++shown;
            dialog->EndModal(wxID_CANCEL);
        }
    GList* windows = gtk_window_list_toplevels();
    for (GList* node = windows; node; node = node->next) {
        GtkWidget* widget = GTK_WIDGET(node->data);
        if (GTK_IS_DIALOG(widget) && gtk_widget_get_visible(widget)) {
            ++shown;
            gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_CANCEL);
        }
    }
    g_list_free(windows);
    return shown;
}

void CTarnwickApp::InstallTerminationHandler() {
    g_baseLoop = wxEventLoopBase::GetActive();
    // A desktop session ending (or `kill`) closes the window as the user
    // would, so every thread is stopped and joined on the way out.
    wxTheApp->SetSignalHandler(SIGTERM, [](int) { CloseWhenNoModalRuns(); });
}

void CTarnwickApp::CloseWhenNoModalRuns() {
    if (!wxTheApp) return;
    // Closing from inside a dialog's loop would destroy the frame and view
    // under the code that opened the dialog: answer the dialogs first and
    // close once none is showing and the main loop runs again.  A timer,
    // not CallAfter: queued calls also run inside a native dialog's loop.
    wxEventLoopBase* base = wxTheApp->GetMainLoop() ? wxTheApp->GetMainLoop() : g_baseLoop;
    const bool inMainLoop = wxEventLoopBase::GetActive() == base;
    if (CancelShownDialogs() > 0 || !inMainLoop) {
        wxTimer* retry = new wxTimer;
        retry->Bind(wxEVT_TIMER, [retry](wxTimerEvent&) {
            wxTheApp->CallAfter([retry] { delete retry; });
            CloseWhenNoModalRuns();
        });
        retry->StartOnce(20);
        return;
    }
    if (wxWindow* top = wxTheApp->GetTopWindow()) top->Close(true);
}

int CTarnwickApp::OnExit() {
    Services().StopLaunches();
    SaveStdProfileSettings();
    wv::InstallUiPoster(nullptr);
    return wxApp::OnExit();
}

CTarnwickDoc* CTarnwickApp::WorkbenchDocument() {
    wxDocManager* manager = wxDocManager::GetDocumentManager();
    if (!manager) return nullptr;
    for (auto* node = manager->GetDocuments().GetFirst(); node; node = node->GetNext())
        if (auto* doc = wxDynamicCast(node->GetData(), CTarnwickDoc)) return doc;
    return nullptr;
}

CTarnwickView* CTarnwickApp::WorkbenchView() {
    CTarnwickDoc* doc = WorkbenchDocument();
    return doc ? wxDynamicCast(doc->GetFirstView(), CTarnwickView) : nullptr;
}

void CTarnwickApp::OnFileNew(wxCommandEvent&) {
    CTarnwickDoc* doc = WorkbenchDocument();
    CTarnwickView* view = WorkbenchView();
    if (!doc || !view || !doc->OnSaveModified() || !doc->OnNewDocument()) return;
    view->OnInitialUpdate();
}

void CTarnwickApp::OnFileOpen(wxCommandEvent&) {
    CTarnwickDoc* doc = WorkbenchDocument();
    CTarnwickView* view = WorkbenchView();
    if (!doc || !view) return;
    const wxString path = Services().ChooseFileToOpen(GetTopWindow());
    if (path.empty() || !doc->OnSaveModified() || !doc->OnOpenDocument(path)) return;
    if (wxDocManager* manager = doc->GetDocumentManager()) manager->AddFileToHistory(path);
    view->OnInitialUpdate();
}

void CTarnwickApp::OnAppAbout(wxCommandEvent&) {
    CAboutDlg about(GetTopWindow());
    about.ShowModal();
}

}  // namespace wv
