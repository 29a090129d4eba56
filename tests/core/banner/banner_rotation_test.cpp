// The rotation loop against scripted services and a clock of its own, so
// that pauses of seconds take no time and can be read back exactly.
#include "core/banner/banner_rotation.h"

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using wv::BannerFtpLogin;
using wv::BannerRotation;
using wv::BannerTimings;

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;
using Log = std::vector<std::string>;

namespace {

class ScriptedRotation : public BannerRotation {
public:
    using BannerRotation::BannerRotation;

    // Successive results of the list fetches (nullopt: an internet failure).
    // When they run out the work is stopped.
    std::deque<std::optional<Lines>> fetches;
    bool ftpDown = false;
    std::set<std::string> missing = {""};  // files the server does not have
    std::set<int> unloadableShows;         // shows (from 1) whose picture fails to load
    int shows = 0;
    int stopAfterShows = -1;

    // What happened, in order, for comparison in one piece.
    Log log;
    std::chrono::milliseconds now{0};

protected:
    bool ReadBannerList(Lines& lines) override {
        log.push_back("fetch@" + std::to_string(now.count()));
        if (fetches.empty()) {
            m_stopped = true;
            return false;
        }
        std::optional<Lines> result = fetches.front();
        fetches.pop_front();
        if (!result) return false;
        lines = *result;
        return true;
    }

    class Login : public BannerFtpLogin {
    public:
        explicit Login(ScriptedRotation& owner) : m_owner(owner) {}
        ~Login() override { m_owner.log.push_back("close"); }
        bool GetFile(const std::string& remote, const std::string& local) override {
            m_owner.log.push_back("get " + remote + " to " + local);
            return !m_owner.missing.count(remote);
        }

    private:
        ScriptedRotation& m_owner;
    };

    std::unique_ptr<BannerFtpLogin> ConnectFtp() override {
        log.push_back("connect");
        return ftpDown ? nullptr : std::make_unique<Login>(*this);
    }
    void PublishLink(const std::string& link) override { log.push_back("link " + link); }
    bool ShowBanner(const std::string& file) override {
        log.push_back("show " + file);
        if (--stopAfterShows == 0) m_stopped = true;
        return !unloadableShows.count(++shows);
    }
    bool Pause(std::chrono::milliseconds d) override {
        log.push_back("pause " + std::to_string(d.count()));
        if (m_stopped || log.size() > 500) return false;
        now += d;
        return true;
    }
    bool StopRequested() const override { return m_stopped; }
    std::chrono::steady_clock::time_point Now() const override { return std::chrono::steady_clock::time_point(now); }

private:
    bool m_stopped = false;
};

// One line's usual course: link, login, download, close, show, display wait.
Log Shown(const std::string& link, const std::string& file, long waitMs) {
    return {"link " + link, "connect",        "get " + file + " to local.gif",
            "close",        "show local.gif", "pause " + std::to_string(waitMs)};
}

// A line whose file the server lacks: one login, five tries a second apart,
// then the link of the banner still on show again.
Log FailedLogin(const std::string& file, const std::string& shownLink = "") {
    Log log{"connect"};
    for (int i = 0; i < 5; ++i) {
        log.push_back("get " + file + " to local.gif");
        if (i < 4) log.push_back("pause 1000");
    }
    log.push_back("close");
    log.push_back("link " + shownLink);
    return log;
}

Log Join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class Rotation : public ::testing::Test {
protected:
    // The program's timings without the shortest display time, which the
    // tests of other rules would have to wait out.
    ScriptedRotation rotation{BannerTimings{5, 1000ms, 30000ms, 1000ms, 0ms}};
    void Run() {
        rotation.SetLocalFile("local.gif");
        rotation.Run();
    }
};

}  // namespace

TEST_F(Rotation, LinesInFileOrderEachForItsTimeThenTheNewListFromItsFirstLine) {
    rotation.fetches = {Lines{"0.5|http://a/|a.gif|", "2|http://b/|b.gif|", "0|http://c/|c.gif|"},
                        Lines{"1|http://d/|d.gif|"}};
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0"},
                                  Shown("http://a/", "a.gif", 30000),
                                  Shown("http://b/", "b.gif", 120000),
                                  Shown("http://c/", "c.gif", 0),
                                  {"fetch@150000"},
                                  Shown("http://d/", "d.gif", 60000),
                                  {"fetch@210000"}}));
}

TEST_F(Rotation, MissingSeparatorsEmptyTheirFieldAndTheOnesAfterIt) {
    rotation.fetches = {
        Lines{"0.25", "0.5|", "abc|http://two/|", "1|http://x/|x.gif|ignored|\r", "1|http://y/|y.gif\r"}};
    rotation.stopAfterShows = 1;
    Run();
    const Log failed = FailedLogin("");  // an empty name fails like any missing file
    EXPECT_EQ(rotation.log, Join({{"fetch@0", "link "},
                                  failed,  // "0.25": no link, no file
                                  {"link "},
                                  failed,  // "0.5|"
                                  {"link http://two/"},
                                  failed,  // two separators
                                  Shown("http://x/", "x.gif", 60000)}));
}

TEST_F(Rotation, ADownloadIsTriedFiveTimesASecondApartThenTheNextLineFollows) {
    rotation.missing = {"gone.gif"};
    rotation.fetches = {Lines{"1|http://gone/|gone.gif|", "0.1|http://next/|next.gif|"}};
    rotation.stopAfterShows = 1;
    Run();
    EXPECT_EQ(
        rotation.log,
        Join({{"fetch@0", "link http://gone/"}, FailedLogin("gone.gif"), Shown("http://next/", "next.gif", 6000)}));
}

TEST_F(Rotation, TheTryCountAndPausesAreSettable) {
    ScriptedRotation quick(BannerTimings{2, 7ms, 30ms, 0ms, 11ms});
    quick.missing = {"gone.gif"};
    quick.fetches = {Lines{"1|l|gone.gif|"}, Lines{}, Lines{}};
    quick.SetLocalFile("f");
    quick.Run();
    EXPECT_EQ(quick.log,
              (Log{"fetch@0", "link l", "connect", "get gone.gif to f", "pause 7", "get gone.gif to f", "close",
                   "link ", "pause 11", "fetch@18", "pause 30", "fetch@48", "pause 30", "fetch@78"}));
}

TEST(RotationAsShipped, NoBannerGoesByInLessThanFiveSecondsNorIsAFailedFileAskedForSooner) {
    ScriptedRotation rotation;
    rotation.SetLocalFile("local.gif");
    rotation.missing = {"gone.gif"};
    rotation.fetches = {Lines{"0|l1|a.gif|", "0|l2|gone.gif|", "-1|l3|gone.gif|", "0|l4|b.gif|"},
                        Lines{"0|l5|gone.gif|"}};
    rotation.Run();
    // l3 names the file that failed a moment ago; a pass that showed nothing
    // waits before the next fetch.
    EXPECT_EQ(rotation.log, Join({{"fetch@0"},
                                  Shown("l1", "a.gif", 5000),
                                  {"link l2"},
                                  FailedLogin("gone.gif", "l1"),
                                  Shown("l4", "b.gif", 5000),
                                  {"fetch@14000", "link l5"},
                                  FailedLogin("gone.gif", "l4"),
                                  {"pause 5000", "fetch@23000"}}));
}

// A banner that does not come leaves the one on show, and a press on it
// opens its own link, not the failed line's.
TEST_F(Rotation, ABannerThatFailsToLoadLeavesTheShownBannersLink) {
    rotation.fetches = {Lines{"0.1|http://a/|a.gif|", "0.1|http://b/|b.gif|"}};
    rotation.unloadableShows = {2};
    rotation.stopAfterShows = 2;
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0"},
                                  Shown("http://a/", "a.gif", 6000),
                                  {"link http://b/", "connect", "get b.gif to local.gif", "close", "show local.gif",
                                   "link http://a/", "pause 6000"}}));
}

TEST_F(Rotation, AnEmptyListIsFetchedAgainOnlyAfterThirtySeconds) {
    rotation.fetches = {Lines{}, Lines{}, Lines{"0|http://a/|a.gif|"}};
    rotation.stopAfterShows = 1;
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0", "pause 30000", "fetch@30000", "pause 30000", "fetch@60000"},
                                  Shown("http://a/", "a.gif", 0)}));
}

TEST_F(Rotation, FetchesOfTheListAreAtLeastASecondApart) {
    // Banners with no display time would otherwise ask for the list in a
    // tight loop.
    rotation.fetches = {Lines{"0|l|a.gif|"}, Lines{"0|l|a.gif|"}, Lines{"x|l|a.gif|"}};
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0"},
                                  Shown("l", "a.gif", 0),
                                  {"pause 1000", "fetch@1000"},
                                  Shown("l", "a.gif", 0),
                                  {"pause 1000", "fetch@2000"},
                                  Shown("l", "a.gif", 0),
                                  {"pause 1000", "fetch@3000"}}));
}

TEST_F(Rotation, AFailedLaterFetchShowsThePreviousLinesAgainFromTheFirst) {
    rotation.fetches = {Lines{"1|http://a/|a.gif|", "1|http://b/|b.gif|"}, std::nullopt};
    rotation.stopAfterShows = 3;
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0"},
                                  Shown("http://a/", "a.gif", 60000),
                                  Shown("http://b/", "b.gif", 60000),
                                  {"fetch@120000"},
                                  Shown("http://a/", "a.gif", 60000)}));
}

TEST_F(Rotation, AFailedFirstFetchEndsTheWork) {
    rotation.fetches = {std::nullopt, Lines{"1|l|a.gif|"}};
    Run();
    EXPECT_EQ(rotation.log, (Log{"fetch@0"}));
}

TEST_F(Rotation, AnFtpConnectionFailureEndsTheWorkAfterTheLinkIsPublished) {
    rotation.ftpDown = true;
    rotation.fetches = {Lines{"1|http://a/|a.gif|", "1|http://b/|b.gif|"}};
    Run();
    EXPECT_EQ(rotation.log, (Log{"fetch@0", "link http://a/", "connect"}));
}

TEST_F(Rotation, AStopDuringTheDisplayWaitEndsTheWork) {
    rotation.fetches = {Lines{"1|http://a/|a.gif|", "1|http://b/|b.gif|"}};
    rotation.stopAfterShows = 1;
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0"}, Shown("http://a/", "a.gif", 60000)}));
}

TEST_F(Rotation, NegativeOrUnreadableTimesMoveOnAtOnce) {
    rotation.fetches = {Lines{"-2|a|a.gif|", "nan|b|b.gif|", " 0x20|c|c.gif|", "1e400|d|d.gif|"}};
    rotation.stopAfterShows = 4;
    Run();
    EXPECT_EQ(rotation.log, Join({{"fetch@0"},
                                  Shown("a", "a.gif", 0),
                                  Shown("b", "b.gif", 0),
                                  Shown("c", "c.gif", 0),
                                  Shown("d", "d.gif", 0)}));
}
