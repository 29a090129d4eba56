// The external browser launcher with stand-in launcher programs that record
// their arguments.
#include "platform/browser_launcher.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "stand_in_launchers.h"

using namespace std::chrono_literals;

using wvtest::ScopedEnv;
using Launchers = wvtest::StandInLaunchers;

TEST(BrowserLauncher, OnlyWebAddressesAreLaunchable) {
    EXPECT_TRUE(wv::IsLaunchableAddress("http://www.example.com/item?id=1&x=2"));
    EXPECT_TRUE(wv::IsLaunchableAddress("HTTPS://example.com"));
    EXPECT_FALSE(wv::IsLaunchableAddress(""));
    EXPECT_FALSE(wv::IsLaunchableAddress("http://"));
    EXPECT_FALSE(wv::IsLaunchableAddress("http:///etc/passwd"));
    EXPECT_FALSE(wv::IsLaunchableAddress("file:///etc/passwd"));
    EXPECT_FALSE(wv::IsLaunchableAddress("/etc/passwd"));
    EXPECT_FALSE(wv::IsLaunchableAddress("--help"));
    EXPECT_FALSE(wv::IsLaunchableAddress("javascript:alert(1)"));
    EXPECT_FALSE(wv::IsLaunchableAddress("http://example.com/\nrm -rf ~"));
}

TEST(BrowserLauncher, AddressesLeaveTheUriCharacterSetOnlyPercentEncoded) {
    // What a shell or a launcher script could take for something else.
    EXPECT_EQ(wv::PercentEncodeAddress("http://h/a b\"c`id`<x>{y}|\\^\t\x7f"),
              "http://h/a%20b%22c%60id%60%3Cx%3E%7By%7D%7C%5C%5E%09%7F");
    EXPECT_EQ(wv::PercentEncodeAddress("http://h/caf\xc3\xa9"), "http://h/caf%C3%A9");
    // The URI's own characters, escapes already made included, pass as they are.
    const std::string uri = "https://user@h:8080/p-a_t.h~/?q=1&r=[2]#f!$'()*+,;=%20AZaz09";
    EXPECT_EQ(wv::PercentEncodeAddress(uri), uri);
}

TEST(BrowserLauncher, CommandsFromTheBrowserVariableThenTheDesktopDefaults) {
    auto commands = wv::LauncherCommands("firefox:chromium --new-window %s::", "http://x/");
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[0], (std::vector<std::string>{"firefox", "http://x/"}));
    EXPECT_EQ(commands[1], (std::vector<std::string>{"chromium", "--new-window", "http://x/"}));
    EXPECT_EQ(commands[2], (std::vector<std::string>{"xdg-open", "http://x/"}));
    EXPECT_EQ(commands[4], (std::vector<std::string>{"x-www-browser", "http://x/"}));
    EXPECT_EQ(wv::LauncherCommands(nullptr, "http://x/").size(), 3u);
}

TEST(BrowserLauncher, TwoLaunchesOpenTwoEachWithTheAddressAsOneArgument) {
    Launchers launchers;
    launchers.Add("xdg-open");
    ScopedEnv path("PATH", launchers.Dir().string());
    ScopedEnv browser("BROWSER", std::nullopt);
    std::atomic<int> failures{0};
    wv::BrowserLauncher launcher([&] { ++failures; });
    EXPECT_TRUE(launcher.Launch("http://example.com/a b;$(touch x)"));
    EXPECT_TRUE(launcher.Launch("http://example.com/\xe9"));
    ASSERT_TRUE(launcher.WaitIdle(10s));
    auto recorded = launchers.Recorded();
    std::sort(recorded.begin(), recorded.end());
    EXPECT_EQ(recorded,
              (std::vector<std::string>{"1|http://example.com/%C3%A9", "1|http://example.com/a%20b;$(touch%20x)"}));
    EXPECT_EQ(failures, 0);
    EXPECT_FALSE(std::filesystem::exists(launchers.Dir() / "x"));
}

TEST(BrowserLauncher, BrowserVariableComesFirst) {
    Launchers launchers;
    launchers.Add("xdg-open");
    std::string own = launchers.Add("my-browser");
    ScopedEnv path("PATH", launchers.Dir().string());
    ScopedEnv browser("BROWSER", "missing-browser:" + own);
    wv::BrowserLauncher launcher([] {});
    launcher.Launch("http://example.com/");
    ASSERT_TRUE(launcher.WaitIdle(10s));
    EXPECT_EQ(launchers.Recorded(), std::vector<std::string>{"1|http://example.com/"});
    // Only my-browser ran: xdg-open would have recorded a second line.
}

TEST(BrowserLauncher, EmptyOrNonWebAddressOpensNothing) {
    Launchers launchers;
    launchers.Add("xdg-open");
    ScopedEnv path("PATH", launchers.Dir().string());
    wv::BrowserLauncher launcher([] {});
    EXPECT_FALSE(launcher.Launch(""));
    EXPECT_FALSE(launcher.Launch("file:///etc/passwd"));
    EXPECT_FALSE(launcher.Launch("/usr/bin/xterm"));
    ASSERT_TRUE(launcher.WaitIdle(10s));
    EXPECT_TRUE(launchers.Recorded().empty());
}

TEST(BrowserLauncher, FailingLauncherReportsOnce) {
    Launchers launchers;
    launchers.Add("xdg-open", 3);
    launchers.Add("sensible-browser");
    ScopedEnv path("PATH", launchers.Dir().string());
    ScopedEnv browser("BROWSER", std::nullopt);
    std::atomic<int> failures{0};
    wv::BrowserLauncher launcher([&] { ++failures; });
    launcher.Launch("http://example.com/");
    ASSERT_TRUE(launcher.WaitIdle(10s));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(launchers.Recorded().size(), 1u);  // the next launcher is not tried
}

TEST(BrowserLauncher, ALaunchTheSystemRefusesReportsOnce) {
    Launchers launchers;
    launchers.Add("xdg-open");
    launchers.Add("sensible-browser");
    ScopedEnv path("PATH", launchers.Dir().string());
    ScopedEnv browser("BROWSER", std::nullopt);
    std::atomic<int> failures{0};
    wv::BrowserLauncher launcher([&] { ++failures; });
    // One argument may hold at most 128 KiB: no launcher can be started.
    EXPECT_TRUE(launcher.Launch("http://example.com/?q=" + std::string(200 * 1024, 'a')));
    ASSERT_TRUE(launcher.WaitIdle(10s));
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(launchers.Recorded().empty());
}

TEST(BrowserLauncher, NoLauncherDoesNothing) {
    Launchers launchers;
    ScopedEnv path("PATH", launchers.Dir().string());
    ScopedEnv browser("BROWSER", std::nullopt);
    std::atomic<int> failures{0};
    wv::BrowserLauncher launcher([&] { ++failures; });
    EXPECT_TRUE(launcher.Launch("http://example.com/"));
    ASSERT_TRUE(launcher.WaitIdle(10s));
    EXPECT_EQ(failures, 0);
}

TEST(BrowserLauncher, StopAllReturnsWhileALauncherStillRuns) {
    Launchers launchers;
    // Its output goes nowhere, so the test runner does not wait on it.
    launchers.AddScript("xdg-open", "exec sleep 30 >/dev/null 2>&1\n");
    ScopedEnv env("PATH", launchers.Dir().string() + ":/usr/bin:/bin");
    wv::BrowserLauncher launcher([] {});
    launcher.Launch("http://example.com/");
    EXPECT_FALSE(launcher.WaitIdle(200ms));
    auto start = std::chrono::steady_clock::now();
    launcher.StopAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}
