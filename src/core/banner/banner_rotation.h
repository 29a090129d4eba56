#pragma once
// The banner rotation: fetch the vendor's banner list, then work through it
// line by line (publish the line's link, download its banner, show it for its
// display time, at least BannerTimings::shortestDisplay), fetching the list
// again after its last line.
//
// A line holds three fields, each closed by "|": display time in minutes,
// link address, banner file name on the FTP server.  A field whose "|" is
// missing is empty, and so is every field after it; text after the third "|"
// (a carriage return, say) is ignored.
//
// The services the rotation needs (the network, the screen, waiting) are
// virtual members, so the loop runs against real servers in the program and
// against stand-ins in tests.  Pure: no wx, no network of its own.
//
// Threads: everything runs on the one thread that calls Run (the banner
// thread); the services are called on that thread too.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wv {

// How long the rotation waits between attempts and fetches.  The defaults
// are the program's; tests shorten them.
struct BannerTimings {
    // Tries per banner download before the rotation goes on with the next line.
    int maxAttempts = 5;
    // Pause after a failed try (a local file error included).
    std::chrono::milliseconds retryPause{1000};
    // Pause before fetching again a list that held no line.
    std::chrono::milliseconds emptyListPause{30000};
    // The shortest time from one fetch of the list to the next.
    std::chrono::milliseconds minFetchInterval{1000};
    // The shortest time a banner is shown, whatever its line says, so that
    // a list of display times of 0 cannot make logins in a tight loop.  A
    // file whose download failed is not asked for again within this time
    // either, and a pass over the list that showed nothing waits as long
    // before the list is fetched again.
    std::chrono::milliseconds shortestDisplay{5000};
};

// One login on the FTP server, for the downloads of one banner.  Closing it
// (destruction) closes the connection and its session.
class BannerFtpLogin {
public:
    virtual ~BannerFtpLogin() = default;
    // Downloads remoteFile to localFile, replacing it only on success.  False
    // on any failure (an empty name or one ending in "/", which names a
    // folder, a missing file, a local file error).
    virtual bool GetFile(const std::string& remoteFile, const std::string& localFile) = 0;
};

class BannerRotation {
public:
    explicit BannerRotation(BannerTimings timings = {});
    virtual ~BannerRotation();
    BannerRotation(const BannerRotation&) = delete;
    BannerRotation& operator=(const BannerRotation&) = delete;

    // The whole work, downloading every banner to the local file (set it
    // first): the first fetch of the list, then the rotation.  Returns when
    // the work has ended for good: the first fetch failed, an FTP connection
    // failed, or a stop was requested.
    void Run();

    // Fetches the list and, on success, replaces BannerLines(); sets
    // CurrentBanner() to 0 in every case.  Waits first when the previous
    // fetch began less than minFetchInterval ago (false if stopped meanwhile).
    bool FetchBannerList();
    // The rotation loop; returns on an FTP connection failure or a stop.
    void RotateBanners();
    // line[start, end); empty when end is npos (a missing separator).
    static std::string ExtractField(const std::string& line, std::size_t start, std::size_t end);

    // Where every banner is downloaded; set before Run.
    void SetLocalFile(std::string path) { m_strLocalFile = std::move(path); }
    const std::string& LocalFile() const { return m_strLocalFile; }
    // The list as last fetched, and the line being worked on.
    const std::vector<std::string>& BannerLines() const { return m_bannerLines; }
    std::int32_t CurrentBanner() const { return m_nCurrentBanner; }

protected:
    // The list's lines, read from the vendor's web server; false on an
    // internet failure (lines then untouched).
    virtual bool ReadBannerList(std::vector<std::string>& lines) = 0;
    // Logs in on the FTP server; nullptr when it cannot be resolved, reached
    // or logged into (a connection failure, which ends the rotation).
    virtual std::unique_ptr<BannerFtpLogin> ConnectFtp() = 0;
    // The link of the line being worked on, published before its download;
    // when its banner does not come (a failed download or load), the link of
    // the banner still on show is published again, so a press on it opens
    // its own link.
    virtual void PublishLink(const std::string& link) = 0;
    // Loads the downloaded banner and places it; false when it could not be
    // loaded and the banner on show stays.
    virtual bool ShowBanner(const std::string& localFile) = 0;
    // Waits for the duration unless a stop comes first; false when stopped.
    virtual bool Pause(std::chrono::milliseconds duration) = 0;
    virtual bool StopRequested() const = 0;
    virtual std::chrono::steady_clock::time_point Now() const { return std::chrono::steady_clock::now(); }

    const BannerTimings& Timings() const { return m_timings; }

private:
    // Reads the current line's fields; returns its link.
    std::string ParseCurrentLine();
    // Up to maxAttempts tries, retryPause apart; true once one succeeded.
    bool DownloadBanner(BannerFtpLogin& ftp);
    // Whether the file's download failed less than shortestDisplay ago.
    bool HeldOff(const std::string& remoteFile) const;
    void RememberFailure(const std::string& remoteFile);

    std::vector<std::string> m_bannerLines;
    std::int32_t m_nCurrentBanner = 0;
    std::string m_strRemoteFile;     // the current line's banner file on the FTP server
    double m_dDisplayMinutes = 0.0;  // its display time
    std::string m_strLocalFile;
    std::string m_shownLink;  // the link of the banner on show

    BannerTimings m_timings;
    std::optional<std::chrono::steady_clock::time_point> m_lastFetch;
    // Failed files and when they failed; entries older than shortestDisplay
    // are dropped as new ones come, so it stays small (each entry cost a login).
    std::map<std::string, std::chrono::steady_clock::time_point> m_failedFiles;
};

}  // namespace wv
