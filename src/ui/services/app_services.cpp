#include "ui/services/app_services.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace wv {

namespace {
// Read by workers' owners on the UI thread and, through the probe, when a
// control is made; atomic so that no read can tear.
std::atomic<AppServices*> g_services{nullptr};
}  // namespace

void InstallServices(AppServices* services) { g_services.store(services); }

AppServices& Services() {
    AppServices* services = g_services.load();
    if (!services) {
        std::fputs("wordvane: no services installed\n", stderr);
        std::abort();
    }
    return *services;
}

ThreadProbe* InstalledThreadProbe() {
    AppServices* services = g_services.load();
    return services ? services->Threads() : nullptr;
}

}  // namespace wv
