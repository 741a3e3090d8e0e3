#include "shell/ProcessTerminator.h"

#include "tests/support/ScratchDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// A copy of /bin/sleep under a chosen name, started as a child; killed at the end if still running.
struct Sleeper {
    pid_t pid = -1;
    Sleeper(const ScratchDir& dir, const std::string& name) {
        const std::string exe = dir.file(name);
        std::filesystem::copy_file("/bin/sleep", exe, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
        pid = ::fork();
        if (pid == 0) {
            ::execl(exe.c_str(), name.c_str(), "30", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // wait until the exec has replaced the forked image
        for (int i = 0; i < 200 && ProcessTerminator::find(name) != pid; ++i) ::usleep(10000);
    }
    ~Sleeper() {
        if (pid > 0 && ::kill(pid, 0) == 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
};

}  // namespace

TEST(ProcessTerminator, FindsAChildByItsExecutableNameAndKillsIt) {
    ScratchDir dir;
    Sleeper child(dir, "QvTermSleeper");
    ASSERT_GT(child.pid, 0);
    for (const char* name : {"QvTermSleeper", "qvtermsleeper", "QVTERMSLEEPER.exe", "QvTermSleeper.EXE"})
        EXPECT_EQ(ProcessTerminator::find(name), child.pid) << name;
    EXPECT_EQ(ProcessTerminator::find("QvTermSleep"), 0);
    EXPECT_EQ(ProcessTerminator::find(dir.file("QvTermSleeper")), child.pid);  // the full path also matches

    ASSERT_TRUE(ProcessTerminator::terminateByName("QvTermSleeper.exe"));
    int status = 0;
    ASSERT_EQ(::waitpid(child.pid, &status, 0), child.pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    child.pid = -1;
    EXPECT_EQ(ProcessTerminator::find("QvTermSleeper"), 0);
    EXPECT_FALSE(ProcessTerminator::terminateByName("QvTermSleeper"));
}

TEST(ProcessTerminator, LongNamesMatchThroughTheExecutableLink) {
    ScratchDir dir;
    Sleeper child(dir, "QvTerminatorLongSleeper");  // comm keeps only 15 bytes of it
    EXPECT_EQ(ProcessTerminator::find("QvTerminatorLongSleeper"), child.pid);
    EXPECT_EQ(ProcessTerminator::find("QvTerminatorLon"), 0);
}

TEST(ProcessTerminator, ScansInIdOrderAndFallsBackToTheName) {
    // A directory laid out like /proc: 7 and 30 share a name, 12 has no readable exe link.
    ScratchDir proc;
    proc.write("30/comm", "Quillon\n");
    std::filesystem::create_symlink("/opt/q/Quillon", proc.file("30/exe"));
    proc.write("7/comm", "other\n");
    std::filesystem::create_symlink("/opt/q/Quillon (deleted)", proc.file("7/exe"));
    proc.write("12/comm", "Reader\n");
    proc.write("12/exe", "");  // not a link: unreadable as one
    proc.write("self/comm", "Quillon\n");  // not a process id
    proc.write("15/comm", "AVeryLongProgra\n");

    struct Case { const char* name; pid_t pid; };
    for (const Case& c : {Case{"Quillon.exe", 7}, Case{"READER", 12}, Case{"AVeryLongProgramName", 15},
                          Case{"other", 7}, Case{"nobody", 0}, Case{"", 0}})
        EXPECT_EQ(ProcessTerminator::find(c.name, proc.path()), c.pid) << c.name;
    EXPECT_EQ(ProcessTerminator::find("Quillon", proc.path() + "missing"), 0);
}

TEST(ProcessTerminator, NeverSignalsAProcessGroup) {
    for (pid_t pid : {0, -1, -12345}) EXPECT_FALSE(ProcessTerminator::terminate(pid));
}

TEST(ProcessTerminator, AChildThatHasExitedIsNoLongerFound) {
    ScratchDir dir;
    Sleeper child(dir, "QvTermZombie");
    ASSERT_EQ(ProcessTerminator::find("QvTermZombie"), child.pid);
    ASSERT_EQ(::kill(child.pid, SIGKILL), 0);
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOWAIT), 0);  // a zombie now
    EXPECT_EQ(ProcessTerminator::find("QvTermZombie"), 0);
    EXPECT_FALSE(ProcessTerminator::terminateByName("QvTermZombie"));
}

TEST(ProcessTerminator, SkipsExitedProcessesAndThoseOfOtherUsers) {
    // Every entry is named Quillon; only the one still running as our user may be found.
    ScratchDir proc;
    struct Entry { const char* pid; const char* stat; bool otherUser; };
    const bool root = ::geteuid() == 0;
    for (const Entry& e : {Entry{"3", "3 (Quillon) S 1", true}, Entry{"5", "5 (Quillon) Z 1", false},
                           Entry{"6", "6 (Qu) X) X 1", false}, Entry{"9", "9 (Quillon) S 1", false}}) {
        if (e.otherUser && !root) continue;  // only root can lay out another user's entry
        proc.write(std::string(e.pid) + "/comm", "Quillon\n");
        proc.write(std::string(e.pid) + "/stat", e.stat);
        if (e.otherUser) {
            ASSERT_EQ(::chown(proc.file(e.pid).c_str(), 65534, 65534), 0);
        }
    }
    EXPECT_EQ(ProcessTerminator::find("Quillon.exe", proc.path()), 9);
}
