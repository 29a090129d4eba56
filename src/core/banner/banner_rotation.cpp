#include "core/banner/banner_rotation.h"

#include <algorithm>

#include "core/banner/display_time.h"

namespace wv {

BannerRotation::BannerRotation(BannerTimings timings) : m_timings(timings) {
    if (m_timings.maxAttempts < 1) m_timings.maxAttempts = 1;
}

BannerRotation::~BannerRotation() = default;

std::string BannerRotation::ExtractField(const std::string& line, std::size_t start, std::size_t end) {
    if (end == std::string::npos || start >= end || start >= line.size()) return {};
    return line.substr(start, end - start);
}

void BannerRotation::Run() {
    if (!FetchBannerList()) return;
    RotateBanners();
}

bool BannerRotation::FetchBannerList() {
    m_nCurrentBanner = 0;
    // However fast the lines go by (display times of 0, say), the server is
    // not asked more often than this.
    if (m_lastFetch) {
        const auto since = Now() - *m_lastFetch;
        if (since < m_timings.minFetchInterval &&
            !Pause(std::chrono::ceil<std::chrono::milliseconds>(m_timings.minFetchInterval - since)))
            return false;
    }
    m_lastFetch = Now();
    std::vector<std::string> lines;
    if (!ReadBannerList(lines)) return false;
    m_bannerLines = std::move(lines);
    return true;
}

std::string BannerRotation::ParseCurrentLine() {
    const std::string& line = m_bannerLines[static_cast<std::size_t>(m_nCurrentBanner)];
    constexpr auto none = std::string::npos;
    const std::size_t p1 = line.find('|');
    m_dDisplayMinutes = ReadDisplayMinutes(ExtractField(line, 0, p1));
    const std::size_t p2 = p1 == none ? none : line.find('|', p1 + 1);
    std::string link = ExtractField(line, p1 + 1, p2);
    const std::size_t p3 = p2 == none ? none : line.find('|', p2 + 1);
    m_strRemoteFile = ExtractField(line, p2 + 1, p3);
    return link;
}

bool BannerRotation::HeldOff(const std::string& remoteFile) const {
    const auto failed = m_failedFiles.find(remoteFile);
    return failed != m_failedFiles.end() && Now() - failed->second < m_timings.shortestDisplay;
}

void BannerRotation::RememberFailure(const std::string& remoteFile) {
    const auto now = Now();
    std::erase_if(m_failedFiles, [&](const auto& entry) { return now - entry.second >= m_timings.shortestDisplay; });
    m_failedFiles[remoteFile] = now;
}

bool BannerRotation::DownloadBanner(BannerFtpLogin& ftp) {
    for (int attempt = 1;; ++attempt) {
        if (ftp.GetFile(m_strRemoteFile, m_strLocalFile)) return true;
        if (attempt >= m_timings.maxAttempts || !Pause(m_timings.retryPause)) return false;
    }
}

void BannerRotation::RotateBanners() {
    bool shownThisPass = false;
    while (!StopRequested()) {
        if (m_nCurrentBanner < 0 || static_cast<std::size_t>(m_nCurrentBanner) >= m_bannerLines.size()) {
            // The list is used up.  One that held nothing is asked for again
            // only after a pause, and so is one none of whose banners came;
            // a failed fetch shows the previous lines again.
            if (m_bannerLines.empty()) {
                if (!Pause(m_timings.emptyListPause)) return;
            } else if (!shownThisPass && !Pause(m_timings.shortestDisplay)) {
                return;
            }
            shownThisPass = false;
            FetchBannerList();
            continue;
        }

        const std::string link = ParseCurrentLine();
        if (HeldOff(m_strRemoteFile)) {
            ++m_nCurrentBanner;
            continue;
        }
        PublishLink(link);
        {
            std::unique_ptr<BannerFtpLogin> ftp = ConnectFtp();
            if (!ftp) return;
            const bool downloaded = DownloadBanner(*ftp);
            ftp.reset();  // one login per banner, closed before it is shown
            if (StopRequested()) return;
            if (downloaded) {
                if (ShowBanner(m_strLocalFile))
                    m_shownLink = link;
                else
                    PublishLink(m_shownLink);
                shownThisPass = true;
                if (!Pause(std::max(DisplayWait(m_dDisplayMinutes), m_timings.shortestDisplay))) return;
            } else {
                RememberFailure(m_strRemoteFile);
                PublishLink(m_shownLink);
            }
        }
        ++m_nCurrentBanner;
    }
}

}  // namespace wv
