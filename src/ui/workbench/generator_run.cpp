#include "ui/workbench/generator_run.h"

#include <system_error>

namespace wv {

bool GeneratorRun::Start(std::function<void()> work) {
    if (m_bWorkerBusy.load()) return false;
    if (m_worker.joinable()) m_worker.join();
    m_bRunning.store(1);
    m_bWorkerBusy.store(true);
    try {
        m_worker = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // No thread, no run: leave the generator ready for the next click.
        m_bRunning.store(0);
        m_bWorkerBusy.store(false);
        return false;
    }
    return true;
}

void GeneratorRun::Stop() {
    m_bRunning.store(0);
    if (!m_worker.joinable()) return;
    // The worker may be waiting for the UI thread, which is this thread:
    // cancel its pending call so it can finish, then reopen the gate.
    m_uiGate.Cancel();
    m_worker.join();
    m_uiGate.Reset();
    m_bWorkerBusy.store(false);
}

void GeneratorRun::Finish() {
    m_bRunning.store(0);
    m_bWorkerBusy.store(false);
}

}  // namespace wv
