#include "platform/banner_internet.h"

#include "platform/internet_session.h"

namespace wv {

std::string BannerListAddress(const std::string& homePage) { return homePage + "/VornthalBanners.txt"; }

namespace {

// A login and the session it belongs to, closed together: the connection
// first, then the session (the members' reverse order).
class FtpLogin : public BannerFtpLogin {
public:
    FtpLogin(std::unique_ptr<wv::InternetSession> session, std::unique_ptr<wv::FtpConnection> connection)
        : m_session(std::move(session)), m_connection(std::move(connection)) {}

    bool GetFile(const std::string& remoteFile, const std::string& localFile) override {
        // Files up to the session's limit; a failed download (a broken
        // transfer included) leaves the previous local file as it was.
        return m_connection->GetFile(remoteFile, localFile);
    }

private:
    std::unique_ptr<wv::InternetSession> m_session;
    std::unique_ptr<wv::FtpConnection> m_connection;
};

}  // namespace

BannerInternet::BannerInternet(BannerServer server, std::shared_ptr<wv::TransferStop> stop)
    : m_server(std::move(server)), m_stop(std::move(stop)) {}

BannerInternet::~BannerInternet() = default;

wv::InternetOptions BannerInternet::Options(wv::InternetAccess access) const {
    wv::InternetOptions options;
    options.access = access;
    options.stop = m_stop;
    options.connectTimeout = m_server.connectTimeout;
    options.stallTimeout = m_server.stallTimeout;
    return options;
}

bool BannerInternet::ReadBannerList(std::vector<std::string>& lines) {
    try {
        wv::InternetSession session(Options(wv::InternetAccess::Direct));
        std::unique_ptr<wv::HttpFile> file =
            session.OpenURL(BannerListAddress(m_server.homePage), wv::kPageRequestHeaders);
        std::vector<std::string> read;
        std::string line;
        while (file->ReadString(line)) read.push_back(line);
        file->Close();
        session.Close();
        lines = std::move(read);
        return true;
    } catch (const wv::InternetException&) {
        return false;  // nothing is reported: the banners simply do not change
    }
}

std::unique_ptr<BannerFtpLogin> BannerInternet::ConnectFtp() {
    try {
        auto session = std::make_unique<wv::InternetSession>(Options(wv::InternetAccess::Preconfigured));
        auto connection = session->GetFtpConnection(m_server.ftpHost, m_server.ftpUser, m_server.ftpPassword);
        return std::make_unique<FtpLogin>(std::move(session), std::move(connection));
    } catch (const wv::InternetException&) {
        return nullptr;
    }
}

}  // namespace wv
